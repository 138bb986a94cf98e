#pragma once

// Windows only: the program's GBK texts and the system's UTF-16 ones, for the
// window, the registry and the shell. Converted with code page 936 whatever the
// system's code page for non-Unicode programs; a character that GBK lacks
// becomes its default character.

#include <string>

std::wstring LocalToWide(const std::string& local);
std::string WideToLocal(const std::wstring& wide);
