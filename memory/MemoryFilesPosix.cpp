#include "memory/MemoryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// What the user listed and opened is theirs alone: files and folder are
// made for the owner only.

namespace {

constexpr int kRetryMs = 10;

void Pause(int ms) {
  timespec pause{0, ms * 1000000L};
  nanosleep(&pause, nullptr);
}

// The folder holding path, so that a rename in it reaches the disk too.
void FlushFolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool FileLock::Take(const std::string& path, int timeoutMs) {
  Release();
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  // flock, not fcntl: two opens in one process exclude each other too.
  for (int waited = 0;; waited += kRetryMs) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = static_cast<std::uintptr_t>(fd);
      return true;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= timeoutMs) break;
    Pause(kRetryMs);
  }
  close(fd);
  return false;
}

void FileLock::Release() {
  if (handle_ != kNone) close(static_cast<int>(handle_));  // closing unlocks
  handle_ = kNone;
}

std::string PathInFolder(const std::string& folder, const char* name) { return folder + '/' + name; }

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST; }

FileRead ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& text) {
  text.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
  // Read straight into text, sized one past the file: one read and the end
  // when it holds still.
  struct stat status;
  std::size_t got = 0;
  text.resize(std::min(fstat(fd, &status) == 0 && status.st_size > 0 ? static_cast<std::size_t>(status.st_size) + 1 : 65536,
                       maxBytes));
  bool failed = false;
  while (got < maxBytes) {
    if (got == text.size()) text.resize(std::min(2 * got + 65536, maxBytes));  // it grew meanwhile
    const ssize_t read = ::read(fd, &text[got], text.size() - got);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) {
      failed = read < 0;
      break;
    }
    got += static_cast<std::size_t>(read);
  }
  text.resize(failed ? 0 : got);
  close(fd);
  return failed ? FileRead::Failed : FileRead::Done;
}

bool ReplaceFileWhole(const std::string& path, const std::string& tempPath, const std::string& text,
                      bool (*failBeforeReplace)()) {
  const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, text) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (written && closed && !(failBeforeReplace && failBeforeReplace()) && rename(tempPath.c_str(), path.c_str()) == 0) {
    FlushFolderOf(path);
    return true;
  }
  unlink(tempPath.c_str());
  return false;
}

bool MoveFileAside(const std::string& path, const std::string& asidePath) {
  return rename(path.c_str(), asidePath.c_str()) == 0;
}
