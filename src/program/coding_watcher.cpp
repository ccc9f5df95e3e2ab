#include "program/coding_watcher.h"

#include "base/app_texts.h"
#include "base/format_text.h"
#include "platform/win32/wide_path.h"

namespace bw::win32 {
namespace {

constexpr const char* kReceiverClass = "BrackwaterWatchReceiver";
constexpr const char* kCannotInitialize =
    "Code Completion cannot be initialized.\r\nPlease restart Brackwater to re-enable Code Completion.";
constexpr const char* kLibraryMissing = "Code Completion cannot be initialized. %s is missing.\r\nCode Completion has been disabled.";
constexpr const char* kWrongVersion =
    "Code Completion cannot be initialized. Incorrect version of %s .\r\nCode Completion has been disabled.";

template <class Fn> Fn Entry(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

watcher::WindowHandle Handle(HWND window) { return reinterpret_cast<watcher::WindowHandle>(window); }

}  // namespace

CodingWatcher::CodingWatcher(HINSTANCE instance, std::string folder, platform::Messages& messages, KeyHandler onKey,
                             std::string watchedClasses)
    : instance_(instance),
      folder_(std::move(folder)),
      messages_(messages),
      onKey_(std::move(onKey)),
      watchedClasses_(std::move(watchedClasses)),
      keyMessage_(RegisterWindowMessageA(watcher::kKeyMessageName)) {
  // The other two messages are registered too, as the library knows them; none is handled.
  RegisterWindowMessageA(watcher::kShellMessageName);
  RegisterWindowMessageA(watcher::kMouseMessageName);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CodingWatcher::ReceiverProc;
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kReceiverClass;
  RegisterClassA(&windowClass);
}

CodingWatcher::~CodingWatcher() { Unload(); }

void CodingWatcher::Fail(const char* pattern) {
  messages_.Show(platform::MessageKind::Error, FormatText(pattern, {watcher::kLibraryName}));
}

bool CodingWatcher::BindEntries() {
  const HMODULE library = library_.Get();
  entries_.startWatching = Entry<watcher::StartWatchingFn>(library, watcher::kStartWatching);
  entries_.stopWatching = Entry<watcher::StopWatchingFn>(library, watcher::kStopWatching);
  entries_.stillWatching = Entry<watcher::StillWatchingFn>(library, watcher::kStillWatching);
  entries_.stopAll = Entry<watcher::StopAllFn>(library, watcher::kStopAll);
  entries_.setReceiver = Entry<watcher::SetReceiverFn>(library, watcher::kSetReceiver);
  entries_.getReceiver = Entry<watcher::GetReceiverFn>(library, watcher::kGetReceiver);
  entries_.initialize = Entry<watcher::InitializeFn>(library, watcher::kInitialize);
  entries_.finalize = Entry<watcher::FinalizeFn>(library, watcher::kFinalize);
  entries_.setWatchedClasses = Entry<watcher::SetWatchedClassesFn>(library, watcher::kSetWatchedClasses);
  entries_.pauseWatching = Entry<watcher::PauseWatchingFn>(library, watcher::kPauseWatching);
  entries_.swallowPhysicalInput = Entry<watcher::SwallowPhysicalInputFn>(library, watcher::kSwallowPhysicalInput);
  entries_.physicalStopRequested =
      Entry<watcher::PhysicalStopRequestedFn>(library, watcher::kPhysicalStopRequested);
  return entries_.startWatching && entries_.stopWatching && entries_.stillWatching && entries_.stopAll &&
         entries_.setReceiver && entries_.getReceiver;
}

void CodingWatcher::Load() {
  if (library_ || disabled_) return;
  library_.Reset(LoadLibraryW(platform::WidePath(folder_ + watcher::kLibraryName).c_str()));
  if (!library_) {
    Fail(kLibraryMissing);
    disabled_ = true;
    return;
  }
  // A message-only window: it receives what the library sends, but no broadcasts.
  receiver_.Reset(CreateWindowExA(0, kReceiverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr));
  SetWindowLongPtrA(receiver_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (!receiver_ || !BindEntries()) {
    Fail(kWrongVersion);
    disabled_ = true;
    Unload();
    return;
  }
  if (entries_.initialize) entries_.initialize();
  if (entries_.setWatchedClasses && !watchedClasses_.empty()) entries_.setWatchedClasses(watchedClasses_.c_str());
  if (!entries_.setReceiver(Handle(receiver_.Get()))) {
    messages_.Show(platform::MessageKind::Error, kCannotInitialize);
    entries_.setReceiver(0);
    if (!entries_.setReceiver(Handle(receiver_.Get()))) {
      messages_.Show(platform::MessageKind::Error, kCannotInitialize);
      disabled_ = true;
    }
  }
}

void CodingWatcher::Unload() {
  if (library_ && entries_.getReceiver != nullptr) {
    if (entries_.getReceiver() == Handle(receiver_.Get())) {
      entries_.setReceiver(0);
      entries_.stopAll();
    }
    if (entries_.finalize) entries_.finalize();
  }
  receiver_.Reset();
  entries_ = Entries{};
  library_.Reset();
  started_ = false;
}

// The library numbers what it watches as the port does.
static_assert(static_cast<std::int32_t>(WatchKind::Keys) == watcher::kWatchKeys);

void CodingWatcher::Start(WatchKind kind) {
  Load();
  if (!library_ || disabled_) return;
  if (started_ && entries_.pauseWatching) {
    entries_.pauseWatching(FALSE);
    return;
  }
  if (entries_.pauseWatching) entries_.pauseWatching(FALSE);
  started_ = entries_.startWatching(static_cast<std::int32_t>(kind)) != FALSE;
}

void CodingWatcher::Stop(WatchKind kind) {
  if (!library_ || entries_.stopWatching == nullptr) return;
  if (started_ && entries_.pauseWatching) {
    entries_.pauseWatching(TRUE);
    return;
  }
  entries_.stopWatching(static_cast<std::int32_t>(kind));
  started_ = false;
  if (!entries_.stillWatching()) Unload();
}

bool CodingWatcher::SwallowPhysicalInput(bool swallow) {
  if (!library_ || entries_.swallowPhysicalInput == nullptr) return false;
  return entries_.swallowPhysicalInput(swallow ? TRUE : FALSE) != FALSE;
}

bool CodingWatcher::PhysicalStopRequested() {
  if (!library_ || entries_.physicalStopRequested == nullptr) return false;
  return entries_.physicalStopRequested() != FALSE;
}

LRESULT CALLBACK CodingWatcher::ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CodingWatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message == self->keyMessage_)
    return self->onKey_ && self->onKey_(wParam, lParam) ? watcher::kSwallowKey : 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace bw::win32
