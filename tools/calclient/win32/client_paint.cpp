// Drawing of the editor and the login fields, and the editor's caret.
#include <algorithm>
#include <string>

#include "client.h"

namespace bw::calclient {

namespace {

constexpr int kMargin = 4;

void Text(HDC dc, int x, int y, const std::string& text) {
  if (!text.empty()) TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

void Client::MeasureFont() {
  const platform::WindowDc dc;
  if (dc.Get() == nullptr) return;
  const platform::SelectedObject selected(dc.Get(), font_.Get());
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc.Get(), &metrics)) {
    charWidth_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
  }
}

void Client::PaintEditor(HWND window) {
  const platform::Painting painting(window);
  const HDC dc = painting.Dc();
  const platform::SelectedObject selected(dc, font_.Get());
  RECT client{};
  GetClientRect(window, &client);
  const auto& lines = editor_.Lines();
  const bool selection = editor_.HasSelection();
  const Position from = selection ? std::min(*editor_.Anchor(), editor_.Caret()) : Position{};
  const Position to = selection ? std::max(*editor_.Anchor(), editor_.Caret()) : Position{};
  SetBkMode(dc, OPAQUE);
  for (int line = topLine_; line < static_cast<int>(lines.size()); ++line) {
    const int y = (line - topLine_) * lineHeight_;
    if (y > client.bottom) break;
    const std::string& content = lines[static_cast<std::size_t>(line)];
    const std::string visible =
        static_cast<int>(content.size()) > leftColumn_ ? content.substr(static_cast<std::size_t>(leftColumn_)) : "";
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    Text(dc, kMargin, y, visible);
    if (!selection || line < from.line || line > to.line) continue;
    // The selected part of the line, with one cell more where the line break is selected too.
    const int length = static_cast<int>(content.size());
    const int begin = line == from.line ? std::min(from.column, length) : 0;
    const int end = line == to.line ? std::min(to.column, length) : length + 1;
    if (end <= begin) continue;
    std::string part = content.substr(static_cast<std::size_t>(std::min(begin, length)));
    part.resize(static_cast<std::size_t>(end - begin), ' ');
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    Text(dc, kMargin + (begin - leftColumn_) * charWidth_, y, part);
  }
}

void Client::PaintGlued(HWND window) {
  const platform::Painting painting(window);
  const HDC dc = painting.Dc();
  const platform::SelectedObject selected(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  const bool onUser = login_.Focused() == LoginField::UserName;
  Text(dc, kMargin, 6, std::string(onUser ? "> " : "  ") + "User ID:  " + login_.UserName());
  Text(dc, kMargin, 6 + 2 * lineHeight_,
       std::string(onUser ? "  " : "> ") + "Password: " + std::string(login_.Password().size(), '*'));
  if (login_.LoggedIn()) Text(dc, kMargin, 6 + 4 * lineHeight_, "Logged on.");
}

void Client::ClickEditor(LPARAM point) {
  SetFocus(editorWindow_);
  const int x = static_cast<short>(LOWORD(point));
  const int y = static_cast<short>(HIWORD(point));
  editor_.Place({topLine_ + y / lineHeight_, leftColumn_ + std::max(0, x - kMargin + charWidth_ / 2) / charWidth_});
  EditorChanged();
}

void Client::ScrollToCaret() {
  if (editorWindow_ == nullptr) return;
  RECT client{};
  GetClientRect(editorWindow_, &client);
  const int rows = std::max(1, static_cast<int>(client.bottom) / lineHeight_);
  const int columns = std::max(1, (static_cast<int>(client.right) - kMargin) / charWidth_ - 1);
  const Position caret = editor_.Caret();
  if (caret.line < topLine_) topLine_ = caret.line;
  if (caret.line >= topLine_ + rows) topLine_ = caret.line - rows + 1;
  if (caret.column < leftColumn_) leftColumn_ = caret.column;
  if (caret.column >= leftColumn_ + columns) leftColumn_ = caret.column - columns + 1;
  PlaceCaret();
}

void Client::PlaceCaret() {
  caretX_ = kMargin + (editor_.Caret().column - leftColumn_) * charWidth_;
  caretY_ = (editor_.Caret().line - topLine_) * lineHeight_;
  if (editorWindow_ != nullptr && GetFocus() == editorWindow_) SetCaretPos(caretX_, caretY_);
}

void Client::EditorChanged() {
  ScrollToCaret();
  if (editorWindow_ != nullptr) InvalidateRect(editorWindow_, nullptr, TRUE);
}

}  // namespace bw::calclient
