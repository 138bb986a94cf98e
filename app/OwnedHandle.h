#pragma once

#include <windows.h>

#include <utility>

// A handle this program made, released with its owner by Release.
template <typename Handle, typename Release>
class OwnedHandle {
public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_) Release()(handle_);
  }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  Handle Get() const { return handle_; }

private:
  Handle handle_ = nullptr;
};

struct IconRelease {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct FontRelease {
  void operator()(HFONT font) const { DeleteObject(font); }
};

// An icon loaded at a size of the program's own choosing. (Shared icons are
// cached at the first size asked for, and must not be destroyed.)
using OwnedIcon = OwnedHandle<HICON, IconRelease>;
// A font the program made.
using OwnedFont = OwnedHandle<HFONT, FontRelease>;
