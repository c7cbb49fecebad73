// Reading packed device-independent bitmaps (a BITMAPINFOHEADER, its colour
// table, then the pixels), as bitmap resources and .BMP files hold them.
// Private to ovkit.
#pragma once
#include <windows.h>
#include <vector>

// Entries of the colour table: biClrUsed, else 2^bits up to 8 bits, else 0
// (bit-field masks count as 3 entries' room for 16 and 32 bits).
int DibColorCount(const BITMAPINFOHEADER* header);
// Bytes of one pixel row (rows are padded to 4 bytes).
int DibRowBytes(int width, int bits);
// Start of the pixels.
const BYTE* DibBits(const BITMAPINFOHEADER* header);
// Whether size bytes hold the header, its table and its pixels.
bool DibIsComplete(const BITMAPINFOHEADER* header, size_t size);
// A palette of the colour table; null for pictures of more than 8 bits.
HPALETTE DibPalette(const BITMAPINFOHEADER* header);
// A device bitmap of the picture for the screen, made with palette (may be
// null) selected and realised.
HBITMAP DibToDeviceBitmap(const BITMAPINFOHEADER* header, HPALETTE palette);

// The picture reduced to the 16 standard colours (a 4-bit packed DIB), by
// error diffusion along the rows; empty for pictures under 3 x 3 pixels or
// formats it cannot read (only uncompressed 8 and 24 bits are reduced).
std::vector<BYTE> DibReduceTo16Colors(const BITMAPINFOHEADER* header);
// The 16 standard colours in their order.
extern const RGBQUAD kStandardColors[16];
