// Base64 decoding with the standard alphabet and "?" as the padding character,
// the form in which the programs keep their stored secrets and server names.
#pragma once
#include <cstddef>

// Decodes `source` (`length` characters, or NUL-terminated when `length` is 0) into
// `dest`, writing three bytes per four characters plus a terminating zero, and returns
// the count of decoded bytes. A length that is not a multiple of 4 writes nothing and
// returns 0. `dest` must hold length / 4 * 3 + 1 bytes.
int Base64Decode(char* dest, const char* source, size_t length);
