#include "client.h"

#include <utility>

#include "editor/window_recognition.h"

namespace bw::calclient {

namespace {

constexpr const char* kFrameClass = "BrackwaterTestClientFrame";
constexpr const char* kLoginClass = "BrackwaterTestClientLogin";
// The client's own classes, as recognition knows them.
constexpr const char* kEditorClass = bw::kEditorClasses[0].data();
constexpr const char* kSubformClass = bw::kEditorClasses[1].data();
constexpr const char* kGluedClass = bw::kLoginFieldClass.data();

std::string DefaultFile(const std::string& processName, const char* extension) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const auto dot = processName.rfind('.');
  return std::string(folder) + processName.substr(0, dot) + extension;
}

template <LRESULT (Client::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* client = reinterpret_cast<Client*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (client == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return (client->*Handler)(window, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));  // IDC_IBEAM
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

Client::Client(ClientOptions options, std::string processName, EditorModel editor)
    : options_(std::move(options)),
      process_(std::move(processName)),
      editor_(std::move(editor)),
      log_(options_.logFile.empty() ? DefaultFile(process_, ".log") : options_.logFile, options_.logAll),
      font_(CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New")) {
  if (options_.stateFile.empty()) options_.stateFile = DefaultFile(process_, ".state");
}

// The procedures are members so that they may reach the private handlers.
LRESULT CALLBACK Client::FrameProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Dispatch<&Client::Frame>(w, m, wp, lp); }
LRESULT CALLBACK Client::EditorProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Dispatch<&Client::Editor>(w, m, wp, lp); }
LRESULT CALLBACK Client::LoginProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Dispatch<&Client::Login>(w, m, wp, lp); }
LRESULT CALLBACK Client::GluedProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Dispatch<&Client::Glued>(w, m, wp, lp); }

bool Client::RegisterClasses() {
  const auto face = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return Register(instance_, kFrameClass, &FrameProcedure, face) &&
         Register(instance_, options_.subform ? kSubformClass : kEditorClass, &EditorProcedure, white) &&
         Register(instance_, kLoginClass, &LoginProcedure, face) && Register(instance_, kGluedClass, &GluedProcedure, white);
}

bool Client::Create(HINSTANCE instance) {
  instance_ = instance;
  dumpMessage_ = RegisterWindowMessageA(kDumpStateMessage);
  log_.Note("start " + process_ + (options_.subform ? " subform" : "") + (options_.login ? " login" : ""));
  if (!RegisterClasses()) return false;
  MeasureFont();
  return options_.login ? OpenLogin() : OpenEditor();
}

bool Client::OpenEditor() {
  const std::string caption = "Navision Test Client - " + process_;
  frame_.Reset(CreateWindowExA(0, kFrameClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 760,
                               520, nullptr, nullptr, instance_, this));
  if (frame_.Get() == nullptr) return false;
  RECT client{};
  GetClientRect(frame_.Get(), &client);
  editorWindow_ = CreateWindowExA(WS_EX_CLIENTEDGE, options_.subform ? kSubformClass : kEditorClass,
                                  options_.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_CLIPSIBLINGS, 0, 0,
                                  client.right, client.bottom, frame_.Get(), nullptr, instance_, this);
  if (editorWindow_ == nullptr) return false;
  ShowWindow(frame_.Get(), SW_SHOWNORMAL);
  SetForegroundWindow(frame_.Get());
  SetFocus(editorWindow_);
  ScrollToCaret();
  return true;
}

bool Client::OpenLogin() {
  loginWindow_.Reset(CreateWindowExA(0, kLoginClass, "Log on to Database Server",
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 200, 160, 360, 170, nullptr,
                                     nullptr, instance_, this));
  if (loginWindow_.Get() == nullptr) return false;
  glued_ = CreateWindowExA(WS_EX_CLIENTEDGE, kGluedClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 330, 110,
                           loginWindow_.Get(), nullptr, instance_, this);
  if (glued_ == nullptr) return false;
  ShowWindow(loginWindow_.Get(), SW_SHOWNORMAL);
  SetForegroundWindow(loginWindow_.Get());
  SetFocus(glued_);
  return true;
}

bool Client::Common(const char* role, UINT message, WPARAM wParam, LPARAM lParam) {
  log_.Record(role, message, wParam, lParam);
  modifiers_.Observe(message, wParam);
  if (message == dumpMessage_) {
    WriteState(static_cast<unsigned long>(wParam));
    return true;
  }
  if (message == WM_ACTIVATEAPP && wParam == FALSE) modifiers_.Forget();
  return false;
}

LRESULT Client::Frame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Common("frame", message, wParam, lParam)) return 0;
  switch (message) {
    case WM_SIZE:
      if (editorWindow_ != nullptr) MoveWindow(editorWindow_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (editorWindow_ != nullptr) SetFocus(editorWindow_);
      return 0;
    // The copy chord is posted to the top-level window; the frame passes keys to its editor.
    case WM_KEYDOWN: EditorKeyDown(wParam); return 0;
    case WM_CHAR: EditorChar(wParam); return 0;
    case WM_KEYUP: return 0;
    case WM_DESTROY:
      editorWindow_ = nullptr;
      WriteState(0);
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT Client::Editor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Common(options_.subform ? "subform" : "editor", message, wParam, lParam)) return 0;
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETFOCUS:
      CreateCaret(window, nullptr, 2, lineHeight_);
      PlaceCaret();
      ShowCaret(window);
      return 0;
    case WM_KILLFOCUS: DestroyCaret(); return 0;
    case WM_SIZE: ScrollToCaret(); return 0;
    case WM_LBUTTONDOWN: ClickEditor(lParam); return 0;
    case WM_PAINT: PaintEditor(window); return 0;
    case WM_KEYDOWN: EditorKeyDown(wParam); return 0;
    case WM_CHAR: EditorChar(wParam); return 0;
    case WM_KEYUP: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT Client::Login(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Common("login", message, wParam, lParam)) return 0;
  switch (message) {
    case WM_SETFOCUS:
      if (glued_ != nullptr) SetFocus(glued_);
      return 0;
    case WM_DESTROY:
      glued_ = nullptr;
      // Closed without logging on: the client ends.
      if (frame_.Get() == nullptr) {
        WriteState(0);
        PostQuitMessage(0);
      }
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT Client::Glued(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Common("glued", message, wParam, lParam)) return 0;
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_PAINT: PaintGlued(window); return 0;
    case WM_LBUTTONDOWN: SetFocus(window); return 0;
    case WM_KEYDOWN: GluedKeyDown(wParam); return 0;
    case WM_CHAR: GluedChar(wParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

int Client::Run() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr) {
      Common("thread", message.message, message.wParam, message.lParam);
      continue;
    }
    // A Ctrl chord types no character, also when the Ctrl press was posted and the keyboard
    // state that TranslateMessage reads knows nothing of it.
    const HeldModifiers held = modifiers_.Effective();
    const bool chord = message.message == WM_KEYDOWN && held.control && !held.alt;
    if (!chord) TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  loginWindow_.Reset();
  return static_cast<int>(message.wParam);
}

}  // namespace bw::calclient
