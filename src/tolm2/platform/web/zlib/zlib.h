// The one zlib call the game makes, CRC-32, for the browser build, where no zlib library
// can be linked: web_crc32.cpp gives it, computing zlib's own values.
#pragma once

typedef unsigned char Bytef;
typedef unsigned int uInt;
typedef unsigned long uLong;
#define Z_NULL 0

extern "C" uLong crc32(uLong crc, const Bytef* buf, uInt len);
