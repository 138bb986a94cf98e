#pragma once

// Windows only: the program's GBK texts and the system's UTF-16 ones, for the
// window, the registry and the shell. Converted with code page 936 whatever the
// system's code page for non-Unicode programs; a character that GBK lacks
// becomes its default character.

#include <string>

std::wstring LocalToWide(const std::string& local);
// The same into wide, whose room is kept from call to call: for the many
// short texts of the result rows.
void LocalToWide(const std::string& local, std::wstring& wide);
std::string WideToLocal(const std::wstring& wide);
