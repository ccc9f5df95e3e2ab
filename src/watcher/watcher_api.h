// The window-message watcher library "BWMsgWatch.dll" as its users see it: the file name, the
// exported entry points (looked up by name with GetProcAddress), the registered message names
// and the key event layout. Portable: no Windows headers; window handles travel as numbers.
//
// Threading: StartWatching, StopWatching and StopAll are called on a thread that runs a message
// loop (the program's user-interface thread); key events reach the receiver on that thread.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define BW_WATCH_CALL __stdcall
#else
#define BW_WATCH_CALL
#endif

namespace bw::watcher {

inline constexpr const char* kLibraryName = "BWMsgWatch.dll";

// Kinds of event a caller can watch. Only key events are supported; StartWatching refuses the others.
inline constexpr std::int32_t kWatchKeys = 1;
inline constexpr std::int32_t kWatchShell = 2;
inline constexpr std::int32_t kWatchMouse = 3;

// Registered window messages (RegisterWindowMessageA).
// "BWMsgWatchKey", sent to the receiver for each key event in another program's focused window
// while kind 1 is watched, before that window gets the key:
//   wParam = virtual-key code as a keyboard message carries it (VK_SHIFT, not VK_LSHIFT);
//   lParam = the flags of a keyboard message (see KeyFlags below);
//   the receiver returns -1 to swallow the key (the window never gets it), anything else to let it pass.
// The receiver gets at most about kReceiverTimeoutMs to answer; a later answer lets the key pass.
inline constexpr const char* kKeyMessageName = "BWMsgWatchKey";
inline constexpr const char* kShellMessageName = "BWMsgWatchShell";  // reserved, never sent
inline constexpr const char* kMouseMessageName = "BwMsgWatchMouse";  // reserved, never sent
inline constexpr std::intptr_t kSwallowKey = -1;
inline constexpr unsigned kReceiverTimeoutMs = 200;

// Key event lParam layout, as in WM_KEYDOWN / WM_KEYUP.
namespace KeyFlags {
inline constexpr std::uint32_t RepeatMask = 0x0000FFFFu;  // always 1
inline constexpr std::uint32_t ScanCodeShift = 16;        // bits 16-23
inline constexpr std::uint32_t Extended = 1u << 24;
// The hook gave up waiting for the answer to this key and let it pass long ago: the receiver
// must not act on it (it may forget what the key would have changed). Its answer is ignored.
inline constexpr std::uint32_t Late = 1u << 25;
inline constexpr std::uint32_t AltDown = 1u << 29;
inline constexpr std::uint32_t WasDown = 1u << 30;
inline constexpr std::uint32_t Released = 1u << 31;  // clear for a key going down
}  // namespace KeyFlags

using WindowHandle = std::uintptr_t;  // HWND; 0 for none
using Bool32 = std::int32_t;          // Windows BOOL: 0 false, anything else true

// Exported entry points, by name. Initialize and Finalize are optional to call.
inline constexpr const char* kStartWatching = "StartWatching";
inline constexpr const char* kStopWatching = "StopWatching";
inline constexpr const char* kStillWatching = "StillWatching";
inline constexpr const char* kStopAll = "StopAll";
inline constexpr const char* kSetReceiver = "SetReceiver";
inline constexpr const char* kGetReceiver = "GetReceiver";
inline constexpr const char* kInitialize = "Initialize";
inline constexpr const char* kFinalize = "Finalize";
// Optional further entries of this library.
inline constexpr const char* kSetWatchedClasses = "SetWatchedClasses";
inline constexpr const char* kPauseWatching = "PauseWatching";
inline constexpr const char* kSwallowPhysicalInput = "SwallowPhysicalInput";
inline constexpr const char* kPhysicalStopRequested = "PhysicalStopRequested";

// True when the kind is now watched (also when it already was). Only kWatchKeys succeeds.
using StartWatchingFn = Bool32(BW_WATCH_CALL*)(std::int32_t kind);
// Stops the kind; once it returns, no further events of that kind reach the receiver.
using StopWatchingFn = void(BW_WATCH_CALL*)(std::int32_t kind);
// True while any kind is watched.
using StillWatchingFn = Bool32(BW_WATCH_CALL*)();
using StopAllFn = void(BW_WATCH_CALL*)();
// Sets the receiving window; 0 clears it and always succeeds. False when the window does not
// exist or another live window is already the receiver (clear it first).
using SetReceiverFn = Bool32(BW_WATCH_CALL*)(WindowHandle window);
using GetReceiverFn = WindowHandle(BW_WATCH_CALL*)();
using InitializeFn = void(BW_WATCH_CALL*)();
// Stops everything and clears the receiver.
using FinalizeFn = void(BW_WATCH_CALL*)();
// Keys are reported only while the focus window of the foreground thread has one of these
// classes (names separated by line feeds, letter case aside); keys in every other window pass
// at once without waking the receiver. Null or empty: every window's keys are reported.
using SetWatchedClassesFn = void(BW_WATCH_CALL*)(const char* classes);
// While paused no key event reaches the receiver; the hook stays in place (cheaper than
// stopping and starting it around every command).
using PauseWatchingFn = void(BW_WATCH_CALL*)(Bool32 pause);
// While on, the user's own keys (not injected ones) and mouse buttons are swallowed for every
// window; for commands that type while the system refuses to block input. Needs kind 1 to be
// watched (paused or not). Returns whether the requested state now holds.
using SwallowPhysicalInputFn = Bool32(BW_WATCH_CALL*)(Bool32 swallow);
// True when the user pressed Esc on the keyboard since swallowing last started: the typing run
// is to stop (the Esc itself was swallowed).
using PhysicalStopRequestedFn = Bool32(BW_WATCH_CALL*)();

}  // namespace bw::watcher
