// The dialogs of the template features under Wine: "Enter a value for...", "Reset Variables",
// "Insert Template" and "Select Item to Activate...". Each case runs the dialog on this thread
// while a second thread finds it, types into it and closes it the way a user would (posted keys
// and clicks going through the dialog's own modal loop). Every wait is bounded.
//
// With BW_DIALOG_SHOT_DIR set (a Windows path), the preview case writes "insert-open" there
// while the Insert Template dialog shows and waits (bounded) for "shot-taken" before going on.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_messages.h"
#include "settings/storage.h"
#include "ui/win32/frm_ask_var.h"
#include "ui/win32/frm_hotkey_selection.h"
#include "ui/win32/frm_insert_template.h"
#include "ui/win32/frm_variables.h"
#include "ui/win32/modal_dialog.h"
#include "dialog_driver.h"
#include "wintest.h"

namespace {

using namespace bw::wintest;
using bw::ui::WindowText;

// The hotkey names of the Insert Template list, as the program hands them to the dialog.
bw::platform::Win32KeyNames keyNames;

// List view rows and the selection, read from the driver thread.
int RowCount(HWND view) { return static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0)); }

std::string Cell(HWND view, int row, int column) {
  char text[256] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::string> Column(HWND view, int column) {
  std::vector<std::string> cells;
  for (int row = 0; row < RowCount(view); ++row) cells.push_back(Cell(view, row, column));
  return cells;
}

int SelectedRow(HWND view) {
  return static_cast<int>(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void DoubleClickRow(HWND view, int row) {
  RECT bounds{};
  bounds.left = LVIR_LABEL;
  SendMessageA(view, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
  PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2));
  PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2));
}

std::string ToString(const std::optional<std::string>& value) { return value ? "\"" + *value + "\"" : "nullopt"; }
template <class T> std::string ToString(const std::optional<T>& value) {
  return value ? std::to_string(*value) : "nullopt";
}

// ---------------------------------------------------------------------------------------------
// Enter a value for...

WINTEST(AskVar, OkReturnsTheTypedTextAndShowsTheNameAndOfferedValue) {
  std::string label, offered;
  SIZE client{};
  bool foreground = false;
  std::optional<std::string> answer;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog("Enter a value for...");
      ASSERT_TRUE(dialog != nullptr);
      label = WindowText(GetDlgItem(dialog, 100));
      offered = WindowText(GetDlgItem(dialog, 101));
      RECT area{};
      GetClientRect(dialog, &area);
      client = {area.right, area.bottom};
      foreground = GetForegroundWindow() == dialog;
      SetWindowTextA(GetDlgItem(dialog, 101), "Navision = 4.0");
      PressKey(GetDlgItem(dialog, 101), VK_RETURN);
    });
    answer = bw::ui::TfrmAskVar().AskVariable("Version & build", "3.70");
  }
  EXPECT_EQ(label, std::string("Version & build"));
  EXPECT_EQ(offered, std::string("3.70"));
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_EQ(client.cx, 336L);
  EXPECT_EQ(client.cy, 105L);
  EXPECT_TRUE(foreground);
  EXPECT_EQ(ToString(answer), std::string("\"Navision = 4.0\""));
}

WINTEST(AskVar, EscapeCancelsAndAnEmptyAnswerIsAnAnswer) {
  std::optional<std::string> cancelled = "not asked";
  {
    Driver driver([] {
      const HWND dialog = WaitForDialog("Enter a value for...");
      ASSERT_TRUE(dialog != nullptr);
      PressKey(GetDlgItem(dialog, 101), VK_ESCAPE);
    });
    cancelled = bw::ui::TfrmAskVar().AskVariable("Customer", "Cronus");
  }
  EXPECT_EQ(ToString(cancelled), std::string("nullopt"));

  std::optional<std::string> empty;
  {
    Driver driver([] {
      const HWND dialog = WaitForDialog("Enter a value for...");
      ASSERT_TRUE(dialog != nullptr);
      SetWindowTextA(GetDlgItem(dialog, 101), "");
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    empty = bw::ui::TfrmAskVar().AskVariable("Customer", "Cronus");
  }
  EXPECT_EQ(ToString(empty), std::string("\"\""));
}

WINTEST(AskVar, TheEditBoxHasNoLengthLimit) {
  const std::string longValue(1000, 'x');
  unsigned long long limit = 0;
  std::optional<std::string> answer;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog("Enter a value for...");
      ASSERT_TRUE(dialog != nullptr);
      const HWND edit = GetDlgItem(dialog, 101);
      limit = static_cast<unsigned long long>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
      PressKey(edit, VK_END);
      PostMessageA(edit, WM_CHAR, 'y', 1);
      PressKey(edit, VK_RETURN);
    });
    answer = bw::ui::TfrmAskVar().AskVariable("Long", longValue);
  }
  EXPECT_TRUE(limit >= 0x7FFFFFFEull);  // an edit box's own limit is 30000 characters
  EXPECT_EQ(ToString(answer), ToString(std::optional<std::string>(longValue + "y")));
}

// ---------------------------------------------------------------------------------------------
// Reset Variables

WINTEST(ResetVariables, ListsNamesSortedAndDeletesThroughTheRealBoxes) {
  bw::StringList vars = {"zeta=1", "Author=Me", "beta=x=y", "Alpha=2", "Initials=ME"};
  std::vector<std::string> names, values, headers;
  int nameWidth = 0, rowsAfter = -1;
  std::string warning, refused, confirmed;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog("Reset Variables");
      ASSERT_TRUE(dialog != nullptr);
      const HWND view = GetDlgItem(dialog, 100);
      names = Column(view, 0);
      values = Column(view, 1);
      nameWidth = static_cast<int>(SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0));
      const HWND header = reinterpret_cast<HWND>(SendMessageA(view, LVM_GETHEADER, 0, 0));
      for (int i = 0; i < 2; ++i) {
        char text[64] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        headers.push_back(text);
      }
      DoubleClickRow(view, 1);  // Author: reserved
      warning = AnswerBox("Warning", IDOK);
      DoubleClickRow(view, 2);  // beta: No keeps it
      refused = AnswerBox("Confirm", IDNO);
      DoubleClickRow(view, 4);  // zeta: Yes deletes it
      confirmed = AnswerBox("Confirm", IDYES);
      WaitUntil([&] { return RowCount(view) == 4; });
      rowsAfter = RowCount(view);
      PressKey(view, VK_ESCAPE);
    });
    bw::platform::Win32Messages boxes;
    bw::ui::ResetVariablesDialog(nullptr, vars, boxes);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Author", "beta", "Initials", "zeta"}));
  EXPECT_EQ(values, (std::vector<std::string>{"2", "Me", "x=y", "ME", "1"}));
  EXPECT_EQ(headers, (std::vector<std::string>{"Name", "Value"}));
  ASSERT_EQ(ScreenDpi(), 96);
  EXPECT_EQ(nameWidth, 90);
  EXPECT_EQ(warning, std::string("You cannot remove the Author variable.\r\n"
                                 "This is a reserved variable and can be changed in the preferences."));
  EXPECT_EQ(refused, std::string("Are you sure you wish to delete variable \"beta\" ?"));
  EXPECT_EQ(confirmed, std::string("Are you sure you wish to delete variable \"zeta\" ?"));
  EXPECT_EQ(rowsAfter, 4);
  // Closed with Escape, the deletion still counts; the rest keeps the sorted order.
  EXPECT_EQ(vars, (bw::StringList{"Alpha=2", "Author=Me", "beta=x=y", "Initials=ME"}));
}

WINTEST(ResetVariables, EnterAndColumnClicksLeaveTheListAsItIs) {
  bw::StringList vars = {"b=2", "a=1"};
  std::vector<std::string> names;
  bool stillOpen = false;
  {
    Driver driver([&] {
      const HWND dialog = WaitForDialog("Reset Variables");
      ASSERT_TRUE(dialog != nullptr);
      const HWND view = GetDlgItem(dialog, 100);
      const HWND header = reinterpret_cast<HWND>(SendMessageA(view, LVM_GETHEADER, 0, 0));
      PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
      PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
      PressKey(view, VK_RETURN);
      // A barrier: a column width posted after both is set once they were handled (a dialog
      // that had closed would never set it).
      PostMessageA(view, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(77, 0));
      WaitUntil([&] { return SendMessageA(view, LVM_GETCOLUMNWIDTH, 1, 0) == 77; });
      names = Column(view, 0);
      stillOpen = IsWindowVisible(dialog) != FALSE;
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    });
    bw::platform::Win32Messages boxes;
    bw::ui::ResetVariablesDialog(nullptr, vars, boxes);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(vars, (bw::StringList{"a=1", "b=2"}));
}

// ---------------------------------------------------------------------------------------------
// Insert Template

std::unique_ptr<bw::TStorage> TemplateRoot() {
  auto root = std::make_unique<bw::TStorage>();
  root->AddChild(std::make_unique<bw::TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<bw::TStorage>());
  const auto add = [&](const char* name, const char* text, int hotkey) {
    auto item = std::make_unique<bw::TCommentStorage>();
    item->CommentName = name;
    item->Comment = text;
    item->Hotkey = hotkey;
    bw::TemplatesFolder(*root).AddChild(std::move(item));
  };
  add("Header", "// <<Date>> <<Initials>>: |", 0x6000 | 'H');  // Shift+Ctrl+H
  add("For loop", "FOR i := 1 TO <<Count>> DO BEGIN\r\n  |\r\nEND;", 0);
  add("Local variable", "<<Name>>@1000 : Record <<Table>>;", 0);
  add("Message", "MESSAGE('<<Text>>');\r\n// by <<Author>>", 0);
  return root;
}

struct InsertDialog {
  HWND dialog = nullptr;
  HWND filter = nullptr;
  HWND list = nullptr;
  HWND preview = nullptr;
};

InsertDialog WaitForInsertDialog() {
  InsertDialog found;
  found.dialog = WaitForDialog("Insert Template");
  if (found.dialog != nullptr) {
    found.filter = GetDlgItem(found.dialog, 100);
    found.list = GetDlgItem(found.dialog, 101);
    found.preview = GetDlgItem(found.dialog, 102);
  }
  return found;
}

WINTEST(InsertTemplate, ShowsEveryTemplateWithItsHotkeyAndTheFirstSelected) {
  auto root = TemplateRoot();
  std::vector<std::string> names, hotkeys;
  int selected = -2;
  std::string preview;
  std::optional<int> chosen = -1;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr && d.list != nullptr && d.preview != nullptr);
      names = Column(d.list, 0);
      hotkeys = Column(d.list, 1);
      selected = SelectedRow(d.list);
      preview = WindowText(d.preview);
      PressKey(d.filter, VK_ESCAPE);
    });
    chosen = bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Header", "For loop", "Local variable", "Message"}));
  EXPECT_EQ(hotkeys.at(0), std::string("Shift+Ctrl+H"));
  EXPECT_EQ(hotkeys.at(1), std::string(""));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(preview, std::string("// <<Date>> <<Initials>>: |"));
  EXPECT_EQ(ToString(chosen), std::string("nullopt"));
}

WINTEST(InsertTemplate, TheFilterNarrowsTheRowsAndEnterInsertsTheFirstMatch) {
  auto root = TemplateRoot();
  std::vector<std::string> shown;
  int selected = -2;
  std::string preview;
  std::optional<int> chosen;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      Type(d.filter, "LO");  // "For loop" and "Local variable", case ignored
      WaitUntil([&] { return RowCount(d.list) == 2; });
      shown = Column(d.list, 0);
      selected = SelectedRow(d.list);
      preview = WindowText(d.preview);
      PressKey(d.filter, VK_RETURN);
    });
    chosen = bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"For loop", "Local variable"}));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(preview, std::string("FOR i := 1 TO <<Count>> DO BEGIN\r\n  |\r\nEND;"));
  EXPECT_EQ(ToString(chosen), std::string("1"));
}

WINTEST(InsertTemplate, DownInTheFilterMovesTheSelectionAndNoMatchInsertsNothing) {
  auto root = TemplateRoot();
  int selectedAfterDown = -2, rowsWithoutMatch = -1;
  std::string preview;
  std::optional<int> chosen;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      Type(d.filter, "lo");
      WaitUntil([&] { return RowCount(d.list) == 2; });
      PressKey(d.filter, VK_DOWN);
      WaitUntil([&] { return SelectedRow(d.list) == 1; });
      selectedAfterDown = SelectedRow(d.list);
      preview = WindowText(d.preview);
      PressKey(d.filter, VK_RETURN);
    });
    chosen = bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(selectedAfterDown, 1);
  EXPECT_EQ(preview, std::string("<<Name>>@1000 : Record <<Table>>;"));
  EXPECT_EQ(ToString(chosen), std::string("2"));

  std::optional<int> none = -1;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      Type(d.filter, "xyz");
      WaitUntil([&] { return RowCount(d.list) == 0; });
      rowsWithoutMatch = RowCount(d.list);
      preview = WindowText(d.preview);
      PressKey(d.filter, VK_RETURN);
    });
    none = bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(rowsWithoutMatch, 0);
  EXPECT_EQ(preview, std::string(""));
  EXPECT_EQ(ToString(none), std::string("nullopt"));
}

WINTEST(InsertTemplate, ADoubleClickOnARowInsertsIt) {
  auto root = TemplateRoot();
  std::optional<int> chosen;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      DoubleClickRow(d.list, 3);
    });
    chosen = bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(ToString(chosen), std::string("3"));
}

WINTEST(InsertTemplate, GeometryIsWrittenBackOnEveryCloseAndUsedOnTheNextOpening) {
  auto root = TemplateRoot();
  auto& general = bw::General(*root);
  RECT first{};
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      GetWindowRect(d.dialog, &first);
      PostMessageA(d.dialog, WM_CLOSE, 0, 0);  // the caption's close button
    });
    bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(general.InsertWindowLeft, static_cast<std::int32_t>(first.left));
  EXPECT_EQ(general.InsertWindowTop, static_cast<std::int32_t>(first.top));
  EXPECT_EQ(general.InsertWindowWidth, static_cast<std::int32_t>(first.right - first.left));
  EXPECT_EQ(general.InsertWindowHeight, static_cast<std::int32_t>(first.bottom - first.top));
  EXPECT_TRUE(general.InsertWindowSplitter > 0);

  general.InsertWindowLeft = 100;
  general.InsertWindowTop = 120;
  general.InsertWindowWidth = 720;
  general.InsertWindowHeight = 400;
  general.InsertWindowSplitter = 300;
  RECT opened{}, list{};
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr);
      GetWindowRect(d.dialog, &opened);
      GetWindowRect(d.list, &list);
      // The user drags the splitter 50 pixels to the right...
      POINT grip{list.right + 2, (list.top + list.bottom) / 2};
      ScreenToClient(d.dialog, &grip);
      PostMessageA(d.dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
      PostMessageA(d.dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x + 50, grip.y));
      PostMessageA(d.dialog, WM_LBUTTONUP, 0, MAKELPARAM(grip.x + 50, grip.y));
      WaitUntil([&] {
        RECT now{};
        GetWindowRect(d.list, &now);
        return now.right - now.left == 350;
      });
      // ...and makes the dialog larger before inserting.
      SetWindowPos(d.dialog, nullptr, 0, 0, 800, 450, SWP_NOMOVE | SWP_NOZORDER);
      PressKey(d.filter, VK_RETURN);
    });
    EXPECT_EQ(ToString(bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames)), std::string("0"));
  }
  EXPECT_EQ(opened.left, 100L);
  EXPECT_EQ(opened.top, 120L);
  EXPECT_EQ(opened.right - opened.left, 720L);
  EXPECT_EQ(opened.bottom - opened.top, 400L);
  EXPECT_EQ(list.right - list.left, 300L);
  EXPECT_EQ(general.InsertWindowWidth, 800);
  EXPECT_EQ(general.InsertWindowHeight, 450);
  EXPECT_EQ(general.InsertWindowLeft, 100);
  EXPECT_EQ(general.InsertWindowSplitter, 350);
}

// The colour of the preview's characters [start, end): the one colour, or -1 when mixed.
long ColourOf(HWND preview, long start, long end) {
  CHARRANGE range{start, end};
  SendMessageA(preview, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(preview, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  if (!(format.dwMask & CFM_COLOR)) return -1;
  return static_cast<long>(format.crTextColor);
}

void WaitForShot() { WaitForPhotograph("insert-open"); }

WINTEST(InsertTemplate, ThePreviewShowsTagsRedOnEveryLine) {
  auto root = TemplateRoot();
  const long red = static_cast<long>(RGB(255, 0, 0));
  long before = 0, text = 0, between = 0, author = 0, whole = 0;
  std::string preview;
  {
    Driver driver([&] {
      const auto d = WaitForInsertDialog();
      ASSERT_TRUE(d.dialog != nullptr && d.preview != nullptr);
      Type(d.filter, "mess");
      // Every letter typed was handled (each one filters the list and shows the preview again),
      // so no later preview repaints the colours while they are read.
      WaitUntil([&] { return WindowText(d.filter) == "mess"; });
      WaitUntil([&] { return RowCount(d.list) == 1; });
      WaitUntil([&] { return WindowText(d.preview).rfind("MESSAGE", 0) == 0; });
      preview = WindowText(d.preview);
      // The view counts the line break as one position: "<<Author>>" is 27 to 37.
      before = ColourOf(d.preview, 0, 9);
      text = ColourOf(d.preview, 9, 17);
      between = ColourOf(d.preview, 17, 27);
      author = ColourOf(d.preview, 27, 37);
      whole = ColourOf(d.preview, 0, 37);
      SendMessageA(d.preview, EM_SETSEL, 0, 0);
      WaitForShot();
      PressKey(d.filter, VK_ESCAPE);
    });
    bw::ui::RunInsertTemplateDialog(nullptr, *root, keyNames);
  }
  EXPECT_EQ(preview, std::string("MESSAGE('<<Text>>');\r\n// by <<Author>>"));
  EXPECT_EQ(before, static_cast<long>(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(text, red);
  EXPECT_EQ(between, before);
  EXPECT_EQ(author, red);
  EXPECT_EQ(whole, -1L);
}

// ---------------------------------------------------------------------------------------------
// Select Item to Activate...

std::vector<bw::HotkeyItem> SharedKeyItems() {
  using Kind = bw::ItemKind;
  return {{Kind::Template, "Zeta loop", nullptr},
          {Kind::Configuration, "alpha db", nullptr},
          {Kind::Plugin, "Beta tool", nullptr},
          {Kind::Template, "beta two", nullptr}};
}

struct PickerWindow {
  HWND dialog = nullptr;
  HWND list = nullptr;
};

PickerWindow WaitForPicker() {
  PickerWindow found;
  found.dialog = WaitForDialog("Select Item to Activate...");
  if (found.dialog != nullptr) found.list = GetDlgItem(found.dialog, 100);
  return found;
}

WINTEST(ItemPicker, SortedByNameTypingSelectsAndEnterChooses) {
  const auto items = SharedKeyItems();
  std::vector<std::string> names;
  int afterB = -2, afterBetaT = -2, afterZ = -2;
  LONG_PTR exStyle = 0;
  std::optional<std::size_t> chosen;
  {
    Driver driver([&] {
      const auto p = WaitForPicker();
      ASSERT_TRUE(p.dialog != nullptr && p.list != nullptr);
      names = Column(p.list, 0);
      exStyle = GetWindowLongPtrA(p.dialog, GWL_EXSTYLE);
      Type(p.list, "b");
      WaitUntil([&] { return SelectedRow(p.list) == 1; });
      afterB = SelectedRow(p.list);
      Type(p.list, "eta tw");  // "beta tw": the lower-case "beta two"
      WaitUntil([&] { return SelectedRow(p.list) == 2; });
      afterBetaT = SelectedRow(p.list);
      Sleep(1500);  // a pause: the next letter starts a new search
      Type(p.list, "z");
      WaitUntil([&] { return SelectedRow(p.list) == 3; });
      afterZ = SelectedRow(p.list);
      PressKey(p.list, VK_UP);
      WaitUntil([&] { return SelectedRow(p.list) == 2; });
      PressKey(p.list, VK_RETURN);
    });
    bw::ui::TfrmHotkeySelection picker;
    chosen = picker.Choose(items);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"alpha db", "Beta tool", "beta two", "Zeta loop"}));
  EXPECT_TRUE((exStyle & WS_EX_TOOLWINDOW) != 0);
  EXPECT_TRUE((exStyle & WS_EX_LAYERED) != 0);
  EXPECT_EQ(afterB, 1);
  EXPECT_EQ(afterBetaT, 2);
  EXPECT_EQ(afterZ, 3);
  EXPECT_EQ(ToString(chosen), std::string("3"));  // "beta two", fourth of the items given
}

WINTEST(ItemPicker, EscapeChoosesNothingAndADoubleClickChoosesTheRow) {
  const auto items = SharedKeyItems();
  std::optional<std::size_t> escaped = 99;
  {
    Driver driver([] {
      const auto p = WaitForPicker();
      ASSERT_TRUE(p.dialog != nullptr);
      Type(p.list, "a");
      PressKey(p.list, VK_ESCAPE);
    });
    bw::ui::TfrmHotkeySelection picker;
    escaped = picker.Choose(items);
  }
  EXPECT_EQ(ToString(escaped), std::string("nullopt"));

  std::optional<std::size_t> clicked;
  {
    Driver driver([] {
      const auto p = WaitForPicker();
      ASSERT_TRUE(p.dialog != nullptr);
      DoubleClickRow(p.list, 0);  // "alpha db"
    });
    bw::ui::TfrmHotkeySelection picker;
    clicked = picker.Choose(items);
  }
  EXPECT_EQ(ToString(clicked), std::string("1"));
}

// A dialog that leaves F1 to the shared rule: a field with a help number, a button without.
class HelpRuleDialog final : public bw::ui::ModalDialog {
public:
  INT_PTR Show(HWND owner) { return Run(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "Help rule"); }
  HWND field = nullptr, button = nullptr;

private:
  bool OnInit() override {
    SetWindowContextHelpId(Handle(), 10);
    field = AddControl("EDIT", "", WS_TABSTOP, 0, 100, 8, 8, 100, 20);
    SetWindowContextHelpId(field, 77);
    button = AddControl("BUTTON", "OK", WS_TABSTOP, 0, IDOK, 8, 40, 75, 25);
    return true;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND || LOWORD(wParam) != IDCANCEL) return false;
    End(IDCANCEL);
    return true;
  }
};

std::vector<int> ownerHelps;  // the numbers the owner was asked to show

LRESULT CALLBACK HelpOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) {
    ownerHelps.push_back(static_cast<int>(reinterpret_cast<const HELPINFO*>(lParam)->dwContextId));
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

WINTEST(DialogHelp, F1OnAControlWithoutANumberShowsTheDialogsNumber) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &HelpOwnerProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "HelpRuleOwner";
  RegisterClassA(&windowClass);
  const HWND owner = CreateWindowExA(0, "HelpRuleOwner", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(owner != nullptr);
  ownerHelps.clear();
  HelpRuleDialog dialog;
  {
    Driver driver([&] {
      const HWND shown = WaitForDialog("Help rule");
      ASSERT_TRUE(shown != nullptr);
      for (const HWND control : {dialog.button, dialog.field}) {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = control;
        info.dwContextId = GetWindowContextHelpId(control);
        SendMessageA(shown, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      }
      Click(shown, IDCANCEL);
    });
    dialog.Show(owner);
  }
  DestroyWindow(owner);
  EXPECT_EQ(ownerHelps, (std::vector<int>{10, 77}));
}

}  // namespace

int main(int argc, char** argv) { return bw::wintest::RunAll(argc, argv); }
