#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The memory's files: the only place that knows the platform's file calls.
// Paths are UTF-8.

// An exclusive lock on a file of its own (created when missing), held until
// Release or the end of scope, or the holder's death. A lock on the memory
// file itself would be lost at each replace.
class FileLock {
public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock() { Release(); }

  // Waits at most timeoutMs for a lock that another holds: false then, or
  // when the file cannot be opened.
  bool Take(const std::string& path, int timeoutMs);
  void Release();

private:
  static constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
  std::uintptr_t handle_ = kNone;
};

// The path of the file name in folder.
std::string PathInFolder(const std::string& folder, const char* name);

// Creates the folder when missing (not its parents); true when it is there.
bool MakeFolder(const std::string& path);

enum class FileRead { Done, Missing, Failed };
// Reads at most maxBytes from the start of the file into text. Others may
// read, replace or delete it meanwhile: it is held only for the call.
FileRead ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& text);

// Replaces the file with text, whole or not at all: writes tempPath (in the
// same folder), flushes it to the disk and moves it over path in one step.
// When that fails, path is as it was and tempPath is gone. Tests pass
// failBeforeReplace to make the step fail after the write; it is called with
// the written, flushed tempPath and path as they stand then.
bool ReplaceFileWhole(const std::string& path, const std::string& tempPath, const std::string& text,
                      bool (*failBeforeReplace)() = nullptr);

// Moves the file to asidePath, replacing any file there.
bool MoveFileAside(const std::string& path, const std::string& asidePath);
