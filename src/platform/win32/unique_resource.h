// Owning wrappers for every Win32 handle the programs keep: kernel objects, file searches,
// registry keys, global memory, windows, menus, icons, GDI objects, image lists, loaded
// libraries, hooks (window and event hooks) and task memory, and the scope guards for device contexts. Each frees its handle exactly
// once, with the matching call; nothing else in the tree frees a handle by hand.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <utility>

namespace bw::platform {

namespace detail {
template <class Handle>
constexpr bool NotNull(Handle handle) {
  return handle != nullptr;
}
// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE, most other calls as null.
inline bool KernelValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
}  // namespace detail

// `Free` is called on a held handle for which `IsValid` holds, once: on Reset and destruction.
template <class Handle, auto Free, auto IsValid = &detail::NotNull<Handle>>
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
  bool Valid() const { return IsValid(handle_); }
  explicit operator bool() const { return Valid(); }
  // Gives the handle up without freeing it (to an owner that frees it, such as the clipboard).
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (IsValid(handle_)) Free(handle_);
    handle_ = handle;
  }
  // For calls that hand a new handle back through a pointer: frees the held one first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

private:
  Handle handle_ = nullptr;
};

namespace detail {
inline void FreeKernelObject(HANDLE h) { CloseHandle(h); }
inline void FreeFind(HANDLE h) { FindClose(h); }
inline void FreeKey(HKEY h) { RegCloseKey(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }
// A window may already be gone (closed by its user or with its parent) when its owner lets go.
inline void FreeWindow(HWND h) {
  if (IsWindow(h)) DestroyWindow(h);
}
inline void FreeMenu(HMENU h) { DestroyMenu(h); }
inline void FreeIcon(HICON h) { DestroyIcon(h); }
inline void FreeFont(HFONT h) { DeleteObject(h); }
inline void FreeBrush(HBRUSH h) { DeleteObject(h); }
inline void FreeImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void FreeLibrary(HMODULE h) { ::FreeLibrary(h); }
inline void FreeHook(HHOOK h) { UnhookWindowsHookEx(h); }
inline void FreeEventHook(HWINEVENTHOOK h) { UnhookWinEvent(h); }
}  // namespace detail

using UniqueHandle = UniqueResource<HANDLE, &detail::FreeKernelObject, &detail::KernelValid>;
using UniqueFindHandle = UniqueResource<HANDLE, &detail::FreeFind, &detail::KernelValid>;
using UniqueKey = UniqueResource<HKEY, &detail::FreeKey>;
using UniqueGlobal = UniqueResource<HGLOBAL, &detail::FreeGlobal>;
using UniqueWindow = UniqueResource<HWND, &detail::FreeWindow>;
using UniqueMenu = UniqueResource<HMENU, &detail::FreeMenu>;
using UniqueIcon = UniqueResource<HICON, &detail::FreeIcon>;
using UniqueFont = UniqueResource<HFONT, &detail::FreeFont>;
using UniqueBrush = UniqueResource<HBRUSH, &detail::FreeBrush>;
using UniqueImageList = UniqueResource<HIMAGELIST, &detail::FreeImageList>;
using UniqueModule = UniqueResource<HMODULE, &detail::FreeLibrary>;
using UniqueHook = UniqueResource<HHOOK, &detail::FreeHook>;
using UniqueEventHook = UniqueResource<HWINEVENTHOOK, &detail::FreeEventHook>;

// Memory the shell or COM hands out (such as an item id list), freed with CoTaskMemFree.
struct TaskMemoryFree {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
template <class T>
using UniqueTaskMemory = std::unique_ptr<T, TaskMemoryFree>;

// Memory the system hands out with LocalAlloc (a security descriptor, the data protection
// output), freed with LocalFree.
struct LocalMemoryFree {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <class T>
using UniqueLocalMemory = std::unique_ptr<T, LocalMemoryFree>;

// A window's (or, for null, the screen's) device context from GetDC, released on leaving the
// scope. Declare it before any SelectedObject on it, so the old object goes back first.
class WindowDc {
public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class Painting {
public:
  explicit Painting(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;
  ~Painting() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }
  const PAINTSTRUCT& Paint() const { return paint_; }

private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

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

}  // namespace bw::platform
