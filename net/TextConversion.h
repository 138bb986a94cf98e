#pragma once

#include <cstdint>
#include <string>

// Page text from UTF-8 into the local code page (GBK). Each invalid or cut-off
// sequence and each character above U+FFFF becomes one "?"; a character the
// code page lacks becomes its default character.
std::string Utf8ToLocal(const char* utf8);

// A text in the local code page as UTF-8; empty when it cannot be converted.
std::string LocalToUtf8(const char* local);

// Decodes the sequence at cursor and advances past it. Returns the code point,
// or kUtf8Error for a lead byte that starts nothing (only it is consumed) or a
// sequence cut off by a byte below 0x80 (which is left for the next call).
constexpr uint32_t kUtf8Error = 0xFFFFFFFFu;
uint32_t DecodeUtf8Char(const char*& cursor);
