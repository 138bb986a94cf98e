#pragma once

#include <cstddef>
#include <string>

// The message for a keyword text whose character at unit at cannot be
// searched for: the program's text around the character, composed in UTF-16,
// as GBK cannot hold it. A character that does not print is named by its code.
std::wstring UnheldCharacterMessage(const std::wstring& text, std::size_t at);
