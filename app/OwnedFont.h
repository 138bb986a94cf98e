#pragma once

#include <windows.h>

#include <utility>

// A font this program made, deleted with its owner.
class OwnedFont {
public:
  OwnedFont() = default;
  explicit OwnedFont(HFONT font) : font_(font) {}
  ~OwnedFont() {
    if (font_) DeleteObject(font_);
  }
  OwnedFont(OwnedFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  OwnedFont& operator=(OwnedFont&& other) noexcept {
    std::swap(font_, other.font_);
    return *this;
  }
  OwnedFont(const OwnedFont&) = delete;
  OwnedFont& operator=(const OwnedFont&) = delete;

  HFONT Get() const { return font_; }

private:
  HFONT font_ = nullptr;
};
