// Credentials at rest: user names and passwords are stored scrambled in the
// profile file.
#pragma once

// Scrambles or unscrambles text in place (the operation is its own inverse).
// Each byte is combined by exclusive-or with the next byte of a 64-byte key
// that repeats every 64 bytes. A byte is left as it is when it or its result
// would be CR, LF or NUL, so a scrambled value stays on one line and keeps
// its full length.
void ScrambleCredential(char* text);
