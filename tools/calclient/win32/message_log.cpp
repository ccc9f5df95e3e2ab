#include "message_log.h"

#include <array>
#include <utility>

namespace bw::calclient {

namespace {

constexpr std::array<std::pair<UINT, const char*>, 48> kNames{{
    {WM_CREATE, "WM_CREATE"},         {WM_DESTROY, "WM_DESTROY"},       {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},             {WM_ACTIVATE, "WM_ACTIVATE"},     {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_ENABLE, "WM_ENABLE"},         {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"},       {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},           {WM_QUIT, "WM_QUIT"},             {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_NCCREATE, "WM_NCCREATE"},     {WM_NCDESTROY, "WM_NCDESTROY"},   {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
    {WM_NCHITTEST, "WM_NCHITTEST"},   {WM_NCPAINT, "WM_NCPAINT"},       {WM_NCACTIVATE, "WM_NCACTIVATE"},
    {WM_GETDLGCODE, "WM_GETDLGCODE"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},           {WM_CHAR, "WM_CHAR"},             {WM_DEADCHAR, "WM_DEADCHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"},     {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_COMMAND, "WM_COMMAND"},       {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},   {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
    {WM_IME_NOTIFY, "WM_IME_NOTIFY"}, {WM_GETICON, "WM_GETICON"},       {WM_GETOBJECT, "WM_GETOBJECT"},
}};

bool IsChatter(UINT message) {
  switch (message) {
    case WM_PAINT: case WM_NCPAINT: case WM_ERASEBKGND: case WM_NCHITTEST: case WM_SETCURSOR:
    case WM_MOUSEMOVE: case WM_NCMOUSEMOVE: case WM_TIMER: case WM_GETTEXT: case WM_GETTEXTLENGTH:
    case WM_GETICON: case WM_GETOBJECT: case WM_GETMINMAXINFO: return true;
    default: return false;
  }
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

}  // namespace

std::string MessageName(UINT message) {
  for (const auto& [number, name] : kNames)
    if (number == message) return name;
  char text[128] = {};
  if (message >= 0xC000 && message <= 0xFFFF && GetClipboardFormatNameA(message, text, sizeof text) > 0)
    return std::string("\"") + text + "\"";
  std::snprintf(text, sizeof text, "0x%04X", message);
  return text;
}

MessageLog::MessageLog(const std::string& path, bool everything)
    : file_(path.empty() ? nullptr : std::fopen(path.c_str(), "w")), everything_(everything) {}

void MessageLog::Record(const char* role, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!file_ || (!everything_ && IsChatter(message))) return;
  const auto w = static_cast<unsigned long long>(wParam);
  const auto l = static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam));
  std::fprintf(file_.get(), "%lu %s %s w=0x%llX l=0x%llX %s", ++count_, role, MessageName(message).c_str(), w, l,
               InSendMessage() ? "sent" : "posted");
  if (IsKeyMessage(message)) {
    const HeldModifiers held = Modifiers::Real();
    std::fprintf(file_.get(), " held=%s%s%s", held.shift ? "S" : "-", held.control ? "C" : "-", held.alt ? "A" : "-");
  }
  std::fputc('\n', file_.get());
  std::fflush(file_.get());
}

void MessageLog::Note(const std::string& text) {
  if (!file_) return;
  std::fprintf(file_.get(), "%lu note %s\n", ++count_, text.c_str());
  std::fflush(file_.get());
}

}  // namespace bw::calclient
