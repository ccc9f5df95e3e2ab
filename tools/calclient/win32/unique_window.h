// Owning wrappers for a window and a GDI object.
#pragma once

#include <windows.h>

#include <utility>

namespace bw::calclient {

class UniqueWindow {
public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND window) : window_(window) {}
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  UniqueWindow(UniqueWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.window_, nullptr));
    return *this;
  }
  ~UniqueWindow() { Reset(); }

  HWND Get() const { return window_; }
  void Reset(HWND window = nullptr) {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = window;
  }

private:
  HWND window_ = nullptr;
};

class UniqueFont {
public:
  explicit UniqueFont(HFONT font) : font_(font) {}
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;
  ~UniqueFont() {
    if (font_ != nullptr) DeleteObject(font_);
  }
  HFONT Get() const { return font_; }

private:
  HFONT font_;
};

}  // namespace bw::calclient
