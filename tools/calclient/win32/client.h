// The Navision client test double: a frame window with a C/AL editor child of class
// "C/SIDE Form" (or "C/SIDE Subform"), or first a login dialog whose focused window is of
// class "C/SIDE Glued". Keys posted to these windows act as typing; every message is logged;
// the registered message "CalClientDumpState" (wParam: a sequence number) writes the state
// report, which is also written when the program ends.
#pragma once

#include <windows.h>

#include <string>

#include "../model/client_options.h"
#include "../model/editor_model.h"
#include "../model/login_form.h"
#include "../model/state_report.h"
#include "message_log.h"
#include "modifiers.h"
#include "platform/win32/unique_resource.h"

namespace bw::calclient {

inline constexpr const char* kDumpStateMessage = "CalClientDumpState";

class Client {
public:
  Client(ClientOptions options, std::string processName, EditorModel editor);
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  bool Create(HINSTANCE instance);
  int Run();

private:
  static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LoginProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GluedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool RegisterClasses();
  bool OpenEditor();
  bool OpenLogin();
  // Logging, modifier tracking and the state request, shared by every window.
  bool Common(const char* role, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Frame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Editor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Login(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Glued(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Key reactions (client_keys.cpp).
  void CountKey();
  void EditorKeyDown(WPARAM virtualKey);
  void EditorChar(WPARAM character);
  void GluedKeyDown(WPARAM virtualKey);
  void GluedChar(WPARAM character);

  // Drawing and the caret (client_paint.cpp).
  void MeasureFont();
  void PaintEditor(HWND window);
  void PaintGlued(HWND window);
  void ClickEditor(LPARAM point);
  void ScrollToCaret();
  void PlaceCaret();
  void EditorChanged();

  // The state report (client_state.cpp).
  void WriteState(unsigned long sequence);
  std::string FocusClass() const;

  ClientOptions options_;
  std::string process_;
  EditorModel editor_;
  LoginForm login_;
  Modifiers modifiers_;
  MessageLog log_;
  UINT dumpMessage_ = 0;
  HINSTANCE instance_ = nullptr;
  platform::UniqueFont font_;
  int charWidth_ = 8;
  int lineHeight_ = 16;
  int topLine_ = 0;
  int leftColumn_ = 0;
  int caretX_ = 0;
  int caretY_ = 0;
  unsigned long keys_ = 0;
  unsigned long keysWithModifier_ = 0;
  unsigned long copies_ = 0;
  platform::UniqueWindow loginWindow_;
  platform::UniqueWindow frame_;
  HWND glued_ = nullptr;       // child of the login window
  HWND editorWindow_ = nullptr;  // child of the frame
};

}  // namespace bw::calclient
