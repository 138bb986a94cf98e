#include "memory/MemoryFiles.h"

#include "net/WideText.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int kRetryMs = 10;

HANDLE Handle(std::uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Closes a file handle at the end of its scope.
class FileHandle {
public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    const bool closed = !IsOpen() || CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, text.data() + done, want, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

bool FileLock::Take(const std::string& path, int timeoutMs) {
  Release();
  const HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  for (int waited = 0;; waited += kRetryMs) {
    OVERLAPPED start{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
      handle_ = reinterpret_cast<std::uintptr_t>(file);
      return true;
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION || waited >= timeoutMs) break;
    Sleep(kRetryMs);
  }
  CloseHandle(file);
  return false;
}

void FileLock::Release() {
  if (handle_ != kNone) CloseHandle(Handle(handle_));  // closing unlocks
  handle_ = kNone;
}

std::string PathInFolder(const std::string& folder, const char* name) { return folder + '\\' + name; }

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

FileRead ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& text) {
  text.clear();
  // Sharing delete lets another window replace the file meanwhile.
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing : FileRead::Failed;
  }
  // Read straight into text, sized one past the file: one read and the end
  // when it holds still.
  LARGE_INTEGER size;
  std::size_t got = 0;
  text.resize(std::min(GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) + 1
                                                                               : std::size_t{65536},
                       maxBytes));
  while (got < maxBytes) {
    if (got == text.size()) text.resize(std::min(2 * got + 65536, maxBytes));  // it grew meanwhile
    DWORD read = 0;
    if (!ReadFile(file.Get(), &text[got], static_cast<DWORD>(std::min<std::size_t>(text.size() - got, 1u << 30)), &read,
                  nullptr)) {
      text.clear();
      return FileRead::Failed;
    }
    if (read == 0) break;
    got += read;
  }
  text.resize(got);
  return FileRead::Done;
}

bool ReplaceFileWhole(const std::string& path, const std::string& tempPath, const std::string& text,
                      bool (*failBeforeReplace)()) {
  const std::wstring temp = Utf8ToWide(tempPath);
  FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  const bool written = WriteAll(file.Get(), text) && FlushFileBuffers(file.Get());
  if (file.Close() && written && !(failBeforeReplace && failBeforeReplace()) &&
      MoveFileExW(temp.c_str(), Utf8ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temp.c_str());
  return false;
}

bool MoveFileAside(const std::string& path, const std::string& asidePath) {
  return MoveFileExW(Utf8ToWide(path).c_str(), Utf8ToWide(asidePath).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
