#pragma once

#include <windows.h>

#include <utility>

// An icon this program loaded at a size of its own choosing, destroyed with
// its owner. (Shared icons are cached at the first size asked for.)
class OwnedIcon {
public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  ~OwnedIcon() {
    if (icon_) DestroyIcon(icon_);
  }
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    std::swap(icon_, other.icon_);
    return *this;
  }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;

  HICON Get() const { return icon_; }

private:
  HICON icon_ = nullptr;
};
