// Folder listings (NLST, LIST) into local listing files.
#pragma once

namespace ftp {

// Lists pattern (see ListingLines) into localFile as CRLF lines; blocking.
// FTPERR_ code, 0 on success; FTPERR_NOREMOTEFILE when the server refuses to list.
int ListFolder(const char* pattern, const char* localFile, bool longForm);

} // namespace ftp
