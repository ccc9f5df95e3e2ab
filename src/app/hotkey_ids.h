// Identifiers under which the hotkeys are registered for the main window.
#pragma once

namespace bw {

inline constexpr int kOpenBrackwaterId = 1023;
inline constexpr int kInsertCredentialsId = 1024;
inline constexpr int kInsertTemplateId = 1025;
inline constexpr int kToggleHotkeysId = 1026;
inline constexpr int kIndentId = 1027;
inline constexpr int kUnindentId = 1028;
inline constexpr int kCommentId = 1029;
inline constexpr int kUncommentId = 1030;
inline constexpr int kRepeatTemplateId = 1031;
// 1032 is never used.
inline constexpr int kFirstItemId = 1033;

}  // namespace bw
