#pragma once

// Windows only: the program's GBK texts and the system's UTF-16 ones, for the
// window, the registry and the shell. Converted with code page 936 whatever the
// system's code page for non-Unicode programs; a character that GBK lacks
// becomes its default character.

#include <cstddef>
#include <string>

std::wstring LocalToWide(const std::string& local);
// The same into wide, whose room is kept from call to call: for the many
// short texts of the result rows.
void LocalToWide(const std::string& local, std::wstring& wide);
std::string WideToLocal(const std::wstring& wide);
// File paths are UTF-8 below the window, UTF-16 in the system's calls.
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

// The start of a typed text that fits maxBytes of the local code page, in
// whole characters (a surrogate pair is one).
struct LocalFit {
  static constexpr std::size_t kAllHeld = static_cast<std::size_t>(-1);
  std::size_t units = 0;  // UTF-16 units of the characters that fit
  std::string local;      // their local text, a no-break space as a plain one; the
                          // characters the code page cannot hold left out
  // Where the first of them starts that the code page cannot hold: one that
  // does not come back unchanged from it. Such a character counts 2 bytes.
  std::size_t unheld = kAllHeld;
};
LocalFit FitToLocal(const std::wstring& wide, std::size_t maxBytes);
