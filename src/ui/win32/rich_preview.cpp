#include "ui/win32/rich_preview.h"

#include <richedit.h>

#include "ui/template_preview.h"
#include "platform/win32/unique_resource.h"

namespace bw::ui {
namespace {

void Colour(HWND view, WPARAM which, COLORREF colour) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colour;  // without CFE_AUTOCOLOR: exactly this colour
  SendMessageA(view, EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
}

void Select(HWND view, std::size_t start, std::size_t end) {
  CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(end)};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

}  // namespace

const char* RichEditClass() {
  struct Loaded {
    platform::UniqueModule library;
    const char* className = nullptr;
  };
  static const Loaded loaded = [] {
    Loaded result;
    result.library.Reset(LoadLibraryA("Msftedit.dll"));
    if (result.library) {
      result.className = "RICHEDIT50W";
      return result;
    }
    result.library.Reset(LoadLibraryA("Riched20.dll"));
    if (result.library) result.className = "RichEdit20A";
    return result;
  }();
  return loaded.className;
}

void ShowTemplatePreview(HWND view, std::string_view templateText) {
  const TemplatePreview preview = MakeTemplatePreview(templateText);
  SendMessageA(view, WM_SETREDRAW, FALSE, 0);
  SetWindowTextA(view, preview.text.c_str());
  Colour(view, SCF_ALL, GetSysColor(COLOR_WINDOWTEXT));
  for (const TextSpan& span : preview.red) {
    Select(view, span.start, span.start + span.length);
    Colour(view, SCF_SELECTION, RGB(255, 0, 0));
  }
  Select(view, 0, 0);
  SendMessageA(view, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view, nullptr, TRUE);
}

}  // namespace bw::ui
