// Owning wrappers for the user-interface handles: windows, menus, icons, GDI objects, image
// lists, loaded libraries and hooks. Each frees its handle exactly once, with the matching call.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace bw::ui {

template <class Handle, auto Free>
class UniqueResource {
public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~UniqueResource() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free(handle_);
    handle_ = handle;
  }

private:
  Handle handle_ = nullptr;
};

namespace detail {
inline void FreeWindow(HWND h) { DestroyWindow(h); }
inline void FreeMenu(HMENU h) { DestroyMenu(h); }
inline void FreeIcon(HICON h) { DestroyIcon(h); }
inline void FreeGdi(HGDIOBJ h) { DeleteObject(h); }
inline void FreeFont(HFONT h) { DeleteObject(h); }
inline void FreeBrush(HBRUSH h) { DeleteObject(h); }
inline void FreePen(HPEN h) { DeleteObject(h); }
inline void FreeImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void FreeLibrary(HMODULE h) { ::FreeLibrary(h); }
inline void FreeHook(HHOOK h) { UnhookWindowsHookEx(h); }
}  // namespace detail

using UniqueWindow = UniqueResource<HWND, &detail::FreeWindow>;
using UniqueMenu = UniqueResource<HMENU, &detail::FreeMenu>;
using UniqueIcon = UniqueResource<HICON, &detail::FreeIcon>;
using UniqueFont = UniqueResource<HFONT, &detail::FreeFont>;
using UniqueBrush = UniqueResource<HBRUSH, &detail::FreeBrush>;
using UniquePen = UniqueResource<HPEN, &detail::FreePen>;
using UniqueImageList = UniqueResource<HIMAGELIST, &detail::FreeImageList>;
using UniqueModule = UniqueResource<HMODULE, &detail::FreeLibrary>;
using UniqueHook = UniqueResource<HHOOK, &detail::FreeHook>;

// Selects an object into a device context for one scope and puts the previous one back.
class SelectedObject {
public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves a device context's state (clip region, colours, modes) for one scope.
class SavedDc {
public:
  explicit SavedDc(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  ~SavedDc() { RestoreDC(dc_, state_); }

private:
  HDC dc_;
  int state_;
};

}  // namespace bw::ui
