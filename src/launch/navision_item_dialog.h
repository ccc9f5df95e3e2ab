// TfrmNavisionItem's logic: the dialog that edits one Navision configuration, one configuration
// folder or one plug-in. The logic owns every value and the state of every control; a view
// shows that state and reports what the user does. The dialog changes no record: its caller
// loads the values, shows it, and on OK reads the values back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/client_advanced_dialog.h"
#include "launch/sql_server_tools.h"
#include "platform/file_dialogs.h"
#include "platform/file_versions.h"
#include "platform/key_names.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/service_ports.h"
#include "platform/shell.h"
#include "settings/hotkey_field.h"

namespace bw {

enum class ItemControl {
  Name,            // edtName
  Location,        // edtLocation
  Browse,          // btnBrowse
  Parameters,      // edtParameters
  IsSubMenu,       // cbxIsSubMenu
  InRoot,          // cbxInRoot
  RadServer,       // radServer
  Server,          // edtServer
  Port,            // edtPort
  NetType,         // cmbNetType
  ServerList,      // cmbServer
  ServerLabel,     // lblServer
  RadDatabase,     // radDatabase
  Database,        // edtDatabase
  DatabaseLabel,   // lblDatabase
  DatabaseButton,  // btnDatabase
  Company,         // edtCompany
  UseNT,           // cbxUseNTAuthentication
  Test,            // btnTest
  Username,        // edtUsername
  Password,        // edtPassword
  Hotkey,          // edtHotkey
  Ok,              // btnOK
  LowerFrame,      // the frame around the server, database, login and hotkey rows
  VersionLabel,    // what the executable's version resource says (SQL clients)
  Advanced,        // btnAdvanced: the NAV Server, tenant and editor settings (SQL clients)
};
inline constexpr std::size_t kItemControlCount = static_cast<std::size_t>(ItemControl::Advanced) + 1;

enum class ItemDialogMode { Configuration, Plugin };

struct ControlState {
  std::string text;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
};

inline constexpr std::array<std::string_view, 3> kNetTypes = {"TCP", "Netb", "TCPS"};
inline constexpr int kHintMilliseconds = 5000;  // twice the usual hint-hide pause

inline constexpr std::string_view kNameRefused = "/\\:*?\"<>|()";
inline constexpr std::string_view kNameHint =  // message 65052
    "Name cannot support these characters:\r\n\r\n/ \\ : * ? \" < > | ( )";
inline constexpr std::string_view kPortHint = "Port is a numeric value.";  // message 65053
inline constexpr std::string_view kMissingFile =  // message 65048
    "Cannot locate the file '%s'.\r\nPlease enter a valid filename.";
inline constexpr std::string_view kClassicEditorTip =
    "\"Use the classic C/AL editor\" is ticked (Advanced...): Brackwater's editor commands, templates and "
    "code completion work in the classic editor.";
inline constexpr std::string_view kBadPort =
    "The port '%s' is not a number from 0 to 2147483647.\r\nPlease correct the field Port.";

// What the dialog's window does for the logic.
class ItemDialogView {
public:
  virtual ~ItemDialogView() = default;
  // The control's state changed; a text set here is not reported back as the user's change.
  virtual void Update(ItemControl control, const ControlState& state) = 0;
  virtual void SetHotkeyColour(Rgb colour) = 0;
  // Shows the bubble 20 pixels below the field's top left corner, for kHintMilliseconds; the view
  // calls HintGone when it is removed.
  virtual void ShowHint(ItemControl field, std::string_view text) = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // Plug-in mode's smaller layout; OK becomes the default button there.
  virtual void UsePluginLayout() = 0;
  // Puts `name` at position `at` of the server field's list; the text typed into the field stays.
  virtual void InsertServer(std::size_t at, const std::string& name) = 0;
  virtual void SetBusy(bool busy) = 0;
  // Shows the advanced settings modally over the dialog; true when confirmed with OK.
  virtual bool EditAdvanced(ClientAdvancedDialog& /*dialog*/) { return false; }
};

struct ItemDialogServices {
  platform::KeyNames& keys;
  platform::FileSystem& files;
  platform::Messages& messages;
  platform::FileDialogs& fileDialogs;
  platform::ServicePorts& services;
  SqlServerTools* sql = nullptr;  // none: the SQL buttons and the list do nothing
  platform::Shell* shell = nullptr;  // expands the location for OK's check; none: taken as typed
  platform::FileVersions* versions = nullptr;  // none: no executable's version is known
};

class NavisionItemDialog {
public:
  NavisionItemDialog(ItemDialogServices services, std::string_view appShortName);

  // The view the logic drives from now on; it is brought up to date at once (controls, caption,
  // the plug-in layout). Null detaches.
  void Attach(ItemDialogView* view);

  // ---- values, loaded by the caller before and read after the dialog is shown
  void SetName(std::string_view text) { SetTextAndRefresh(ItemControl::Name, text); }
  std::string Name() const { return Text(ItemControl::Name); }
  void SetLocation(std::string_view text) { SetTextAndRefresh(ItemControl::Location, text); }
  std::string Location() const { return Text(ItemControl::Location); }
  void SetParameters(std::string_view text) { SetText(ItemControl::Parameters, text); }
  std::string Parameters() const { return Text(ItemControl::Parameters); }
  void SetDatabase(std::string_view text) { SetTextAndRefresh(ItemControl::Database, text); }
  std::string Database() const { return Text(ItemControl::Database); }
  void SetCompany(std::string_view text) { SetTextAndRefresh(ItemControl::Company, text); }
  std::string Company() const { return Text(ItemControl::Company); }
  void SetUserName(std::string_view text) { SetText(ItemControl::Username, text); }
  std::string UserName() const { return Text(ItemControl::Username); }
  void SetPassword(std::string_view text) { SetText(ItemControl::Password, text); }
  std::string Password() const { return Text(ItemControl::Password); }
  // Both server fields; read from the one of the client kind.
  void SetServer(std::string_view text);
  std::string Server() const;
  // -1 is an empty field.
  void SetPort(std::int32_t port);
  // -1 for an empty field or a text that is no port (ValidPort tells).
  std::int32_t Port() const;
  bool ValidPort() const;
  // A text that is not one of the list's items leaves the choice as it was.
  void SetNetType(std::string_view text);
  std::string NetType() const;
  void SetUseServer(bool server);
  bool UseServer() const { return State(ItemControl::RadServer).checked; }
  void SetNTAuthentication(bool on);
  bool NTAuthentication() const { return State(ItemControl::UseNT).checked; }
  void SetFolder(bool folder);
  bool Folder() const { return State(ItemControl::IsSubMenu).checked; }
  void SetCreateInRoot(bool inRoot);
  bool CreateInRoot() const { return State(ItemControl::InRoot).checked; }
  // Editing an existing record: where it stands and whether it is a folder cannot change.
  void LockPlacement();
  void SetIsNative(bool native);
  bool IsNative() const { return isNative_; }
  void SetHotkey(TShortCut code);
  TShortCut Hotkey() const { return hotkey_.Code(); }
  // The NAV Server, tenant and editor settings, edited through "Advanced...".
  void SetAdvanced(const ClientAdvancedSettings& settings) { advanced_ = settings; }
  const ClientAdvancedSettings& Advanced() const { return advanced_; }
  // A configuration being made: an executable with the new C/AL editor chosen for it ticks
  // "Use the classic C/AL editor".
  void SetNewRecord(bool newRecord) { newRecord_ = newRecord; }
  // The version of the executable as last read (when the dialog opens, on browsing and on
  // leaving the location field); nothing for none or while the location is being typed.
  const std::optional<platform::FileVersion>& ClientVersion() const { return version_; }
  void SetLastLocation(std::string_view folder) { lastLocation_ = folder; }
  const std::string& LastLocation() const { return lastLocation_; }
  void SetLastDatabaseLocation(std::string_view folder) { lastDatabaseLocation_ = folder; }
  const std::string& LastDatabaseLocation() const { return lastDatabaseLocation_; }
  // Set once by the caller, after the values and before the dialog is shown.
  void SetMode(ItemDialogMode mode);
  ItemDialogMode Mode() const { return mode_; }
  // "<short name> Navision Configuration" or "<short name> Plug-In Configuration".
  std::string Caption() const;

  // ---- what the user does
  // Typed text of an edit or of the server list's edit field.
  void TextChanged(ItemControl control, std::string_view text);
  // A typed character; false when the field refuses it (the key is swallowed).
  bool KeyTyped(ItemControl control, char character);
  // A key pressed in a field; true when the dialog acted on it (F6).
  bool KeyPressed(ItemControl control, unsigned virtualKey, bool anyModifier);
  void Clicked(ItemControl control);
  void NetTypeChosen(int index);  // -1 for none
  void FocusLost(ItemControl control);
  void ServerListOpening();
  void HintGone() { hintShown_ = false; }
  // OK was pressed: true when the dialog may close.
  bool ConfirmOk();

  // The help number of a control, or of the dialog for a control without one.
  int HelpNumber(std::optional<ItemControl> control) const;

  const ControlState& State(ItemControl control) const { return states_[Index(control)]; }
  Rgb HotkeyColour() const { return hotkey_.TextColour(); }

private:
  static std::size_t Index(ItemControl control) { return static_cast<std::size_t>(control); }
  ControlState& Mutable(ItemControl control) { return states_[Index(control)]; }
  std::string Text(ItemControl control) const { return State(control).text; }

  void SetText(ItemControl control, std::string_view text);
  void SetTextAndRefresh(ItemControl control, std::string_view text);
  void SetEnabled(ItemControl control, bool enabled);
  void SetVisible(ItemControl control, bool visible);
  void SetChecked(ItemControl control, bool checked);
  void Publish(ItemControl control);
  void ShowHintOnce(ItemControl field, std::string_view text);

  void Refresh();
  void ApplyFolderRule();    // A
  void ApplyClientKind();    // B
  void ApplyPortRule();      // C
  void ApplyLoginRule();     // D

  void ReadClientVersion(bool chosen);
  void ForgetClientVersion();
  void BrowseExecutable();
  void DatabaseButton();
  platform::SqlLogin Login() const;

  ItemDialogServices services_;
  std::string appShortName_;
  ItemDialogView* view_ = nullptr;
  std::array<ControlState, kItemControlCount> states_{};
  std::optional<std::size_t> netType_;
  HotkeyField hotkey_;
  bool isNative_ = false;
  bool hintShown_ = false;
  bool serverListFilled_ = false;
  std::vector<std::string> listedServers_;  // what the server field's list holds, in its order
  ItemDialogMode mode_ = ItemDialogMode::Configuration;
  std::string lastLocation_;
  std::string lastDatabaseLocation_;
  ClientAdvancedSettings advanced_;
  bool newRecord_ = false;
  std::optional<platform::FileVersion> version_;
  std::optional<std::string> versionOf_;  // the location whose version was read
  bool editorTipShown_ = false;
};

}  // namespace bw
