#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of scope.
class TempFolder {
public:
  TempFolder() {
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("nestari-memory-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    } while (!std::filesystem::create_directory(path_));
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path path_;
};

// Paths as the memory takes them.
inline std::string Utf8Path(const std::filesystem::path& path) { return path.u8string(); }

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a file; none when there is no file there to read.
inline std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}
