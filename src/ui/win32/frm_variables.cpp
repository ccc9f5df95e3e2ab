#include "ui/win32/frm_variables.h"

#include <commctrl.h>

#include "ui/win32/list_view.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {
namespace {

constexpr int kVariables = 100;  // lvVariables

class VariablesDialog final : public ModalDialog {
public:
  VariablesDialog(VariableResetList& list, platform::Messages& messages) : list_(list), messages_(messages) {}

  void Show(HWND owner) { Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Reset Variables"); }

private:
  bool OnInit() override {
    SetClientSize(236, 262);
    // Sorted by the list itself, never by a column click; names and values are not edited here.
    const HWND view = AddControl(WC_LISTVIEWA, "",
                                 WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                 0, kVariables, 8, 8, 220, 212);
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
    AddColumn(view, 0, "Name");
    AddColumn(view, 1, "Value");
    Fill(view);
    AddControl("BUTTON", "Close", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 153, 229, 75, 25);
    CentreOnScreen();
    ComeToFront();
    SetFocus(view);
    return false;
  }

  void AddColumn(HWND view, int index, const char* caption) { InsertListColumn(view, index, caption, Scale(90)); }

  void Fill(HWND view) {
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const auto& row : list_.Rows()) InsertListRow(view, index++, row.name, row.value);
  }

  // The double-click acts on the row under the pointer; on empty space it does nothing.
  void DeleteVariable(int row) {
    if (row < 0) return;
    if (!list_.DeleteVariable(static_cast<std::size_t>(row), messages_)) return;
    SendMessageA(Item(kVariables), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      End(IDCANCEL);
      return true;
    }
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kVariables && header->code == NM_DBLCLK) {
        DeleteVariable(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return true;
      }
    }
    return false;
  }

  VariableResetList& list_;
  platform::Messages& messages_;
};

}  // namespace

void ShowVariablesDialog(HWND owner, VariableResetList& list, platform::Messages& messages) {
  VariablesDialog dialog(list, messages);
  dialog.Show(owner);
}

void ResetVariablesDialog(HWND owner, StringList& vars, platform::Messages& messages) {
  ResetVariables(vars, [&](VariableResetList& list) { ShowVariablesDialog(owner, list, messages); });
}

}  // namespace bw::ui
