#include "launch/navision_item_dialog.h"

#include <algorithm>
#include <limits>

#include "base/decimal_number.h"
#include "base/format_text.h"
#include "base/path_parts.h"
#include "base/text_case.h"
#include "launch/client_version.h"
#include "platform/ansi_text.h"

namespace bw {
namespace {

constexpr unsigned kVirtualKeyF6 = 0x75;
constexpr char kBackspace = '\b';

// The controls of the lower frame, hidden in plug-in mode.
constexpr ItemControl kLowerFrame[] = {
    ItemControl::LowerFrame, ItemControl::RadServer,   ItemControl::RadDatabase,   ItemControl::Server,
    ItemControl::Port,       ItemControl::NetType,     ItemControl::ServerList,    ItemControl::Database,
    ItemControl::DatabaseButton, ItemControl::ServerLabel, ItemControl::DatabaseLabel, ItemControl::Company,
    ItemControl::UseNT,      ItemControl::Username,    ItemControl::Password,      ItemControl::Test,
    ItemControl::VersionLabel, ItemControl::Advanced};

// Disabled while the record is a folder.
constexpr ItemControl kFolderDisables[] = {
    ItemControl::Location, ItemControl::Database,   ItemControl::Server,   ItemControl::Port,
    ItemControl::NetType,  ItemControl::Company,    ItemControl::ServerList, ItemControl::Username,
    ItemControl::Password, ItemControl::UseNT,      ItemControl::RadDatabase, ItemControl::RadServer,
    ItemControl::Browse,   ItemControl::DatabaseButton, ItemControl::Hotkey, ItemControl::Advanced};

// The port text as a number: digits only, within a 32-bit integer.
std::optional<std::int32_t> PortNumber(std::string_view text) { return DecimalNumber(text); }

}  // namespace

NavisionItemDialog::NavisionItemDialog(ItemDialogServices services, std::string_view appShortName)
    : services_(services), appShortName_(appShortName), hotkey_(services.keys) {
  Mutable(ItemControl::RadDatabase).checked = true;
  for (const ItemControl control : {ItemControl::Parameters, ItemControl::ServerLabel, ItemControl::DatabaseLabel,
                                    ItemControl::ServerList, ItemControl::Test, ItemControl::VersionLabel,
                                    ItemControl::Advanced})
    Mutable(control).visible = false;
  Refresh();  // as the dialog is created
}

void NavisionItemDialog::Attach(ItemDialogView* view) {
  view_ = view;
  if (view_ == nullptr) return;
  for (std::size_t i = 0; i < kItemControlCount; ++i) view_->Update(static_cast<ItemControl>(i), states_[i]);
  view_->SetHotkeyColour(hotkey_.TextColour());
  view_->SetCaption(Caption());
  if (mode_ == ItemDialogMode::Plugin) view_->UsePluginLayout();
}

std::string NavisionItemDialog::Caption() const {
  return FormatText(mode_ == ItemDialogMode::Plugin ? "%s Plug-In Configuration" : "%s Navision Configuration",
                    {appShortName_});
}

// ---- values

void NavisionItemDialog::SetServer(std::string_view text) {
  SetText(ItemControl::ServerList, text);
  SetTextAndRefresh(ItemControl::Server, text);
}

std::string NavisionItemDialog::Server() const {
  return Text(isNative_ ? ItemControl::Server : ItemControl::ServerList);
}

void NavisionItemDialog::SetPort(std::int32_t port) {
  SetTextAndRefresh(ItemControl::Port, port == -1 ? std::string() : std::to_string(port));
}

std::int32_t NavisionItemDialog::Port() const {
  return PortNumber(Text(ItemControl::Port)).value_or(-1);
}

bool NavisionItemDialog::ValidPort() const {
  const std::string& text = State(ItemControl::Port).text;
  return text.empty() || PortNumber(text).has_value();
}

void NavisionItemDialog::SetNetType(std::string_view text) {
  const auto found = std::find(kNetTypes.begin(), kNetTypes.end(), text);
  if (found == kNetTypes.end()) return;
  NetTypeChosen(static_cast<int>(found - kNetTypes.begin()));
}

std::string NavisionItemDialog::NetType() const { return Text(ItemControl::NetType); }

void NavisionItemDialog::SetUseServer(bool server) {
  SetChecked(ItemControl::RadServer, server);
  SetChecked(ItemControl::RadDatabase, !server);
}

void NavisionItemDialog::SetNTAuthentication(bool on) {
  SetChecked(ItemControl::UseNT, on);
  ApplyLoginRule();
}

void NavisionItemDialog::SetFolder(bool folder) {
  SetChecked(ItemControl::IsSubMenu, folder);
  ApplyFolderRule();
}

void NavisionItemDialog::SetCreateInRoot(bool inRoot) {
  SetChecked(ItemControl::InRoot, inRoot);
  SetEnabled(ItemControl::InRoot, !inRoot);
}

void NavisionItemDialog::LockPlacement() {
  SetEnabled(ItemControl::InRoot, false);
  SetEnabled(ItemControl::IsSubMenu, false);
}

void NavisionItemDialog::SetIsNative(bool native) {
  isNative_ = native;
  Refresh();
}

void NavisionItemDialog::SetHotkey(TShortCut code) {
  hotkey_.Show(code);
  SetTextAndRefresh(ItemControl::Hotkey, hotkey_.Text());
}

void NavisionItemDialog::SetMode(ItemDialogMode mode) {
  mode_ = mode;
  const bool plugin = mode == ItemDialogMode::Plugin;
  if (plugin) {
    for (const ItemControl control : kLowerFrame) SetVisible(control, false);
    SetVisible(ItemControl::IsSubMenu, false);
    SetVisible(ItemControl::InRoot, false);
    SetVisible(ItemControl::Parameters, true);
    if (view_ != nullptr) view_->UsePluginLayout();
  } else {
    SetVisible(ItemControl::Parameters, false);
    for (const ItemControl control :
         {ItemControl::LowerFrame, ItemControl::Database, ItemControl::DatabaseButton, ItemControl::Company,
          ItemControl::UseNT, ItemControl::Username, ItemControl::Password})
      SetVisible(control, true);
  }
  if (view_ != nullptr) view_->SetCaption(Caption());
  if (!plugin) ReadClientVersion(false);  // what the record was made with, as the dialog opens
  ApplyClientKind();
}

// ---- what the user does

void NavisionItemDialog::TextChanged(ItemControl control, std::string_view text) {
  if (control == ItemControl::Name &&
      text.find_first_of(kNameRefused) != std::string_view::npos) {
    // Pasted text loses what typing could not have entered.
    std::string cleaned;
    std::copy_if(text.begin(), text.end(), std::back_inserter(cleaned),
                 [](char c) { return kNameRefused.find(c) == std::string_view::npos; });
    Mutable(control).text = cleaned;
    Publish(control);  // the view still shows the pasted text
    ShowHintOnce(control, kNameHint);
    Refresh();
    return;
  }
  Mutable(control).text = text;
  switch (control) {
    case ItemControl::Hotkey:
      hotkey_.Change(text);
      if (view_ != nullptr) view_->SetHotkeyColour(hotkey_.TextColour());
      Refresh();
      break;
    case ItemControl::Name:
    case ItemControl::Location:
    case ItemControl::Database:
    case ItemControl::Server:
    case ItemControl::Port:
    case ItemControl::Company:
      Refresh();
      break;
    default:
      break;
  }
}

bool NavisionItemDialog::KeyTyped(ItemControl control, char character) {
  bool refused = false;
  std::string_view hint;
  if (control == ItemControl::Name) {
    refused = kNameRefused.find(character) != std::string_view::npos;
    hint = kNameHint;
  } else if (control == ItemControl::Port) {
    refused = !((character >= '0' && character <= '9') || character == kBackspace);
    hint = kPortHint;
  }
  if (refused) ShowHintOnce(control, hint);
  return !refused;
}

bool NavisionItemDialog::KeyPressed(ItemControl control, unsigned virtualKey, bool anyModifier) {
  if (virtualKey != kVirtualKeyF6 || anyModifier) return false;
  if (control == ItemControl::Location) {
    Clicked(ItemControl::Browse);
    return true;
  }
  if (control == ItemControl::Database) {
    Clicked(ItemControl::DatabaseButton);
    return true;
  }
  return false;
}

void NavisionItemDialog::Clicked(ItemControl control) {
  // A click on a disabled control (F6 in a disabled field's neighbour) does nothing.
  if (!State(control).enabled || !State(control).visible) return;
  switch (control) {
    case ItemControl::IsSubMenu:
      SetChecked(control, !State(control).checked);
      ApplyFolderRule();
      break;
    case ItemControl::InRoot:
      SetChecked(control, !State(control).checked);
      break;
    case ItemControl::UseNT:
      SetChecked(control, !State(control).checked);
      ApplyLoginRule();
      break;
    case ItemControl::RadServer:
    case ItemControl::RadDatabase:
      SetUseServer(control == ItemControl::RadServer);
      ApplyClientKind();
      break;
    case ItemControl::Browse:
      BrowseExecutable();
      break;
    case ItemControl::DatabaseButton:
      DatabaseButton();
      break;
    case ItemControl::Advanced: {
      ClientAdvancedDialog advanced(advanced_, services_.messages);
      if (view_ != nullptr && view_->EditAdvanced(advanced)) advanced_ = advanced.Values();
      break;
    }
    case ItemControl::Test:
      if (services_.sql != nullptr) {
        if (view_ != nullptr) view_->SetBusy(true);
        services_.sql->TestConnection(Login());
        if (view_ != nullptr) view_->SetBusy(false);
      }
      break;
    default:
      break;
  }
}

void NavisionItemDialog::NetTypeChosen(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < kNetTypes.size()) {
    netType_ = static_cast<std::size_t>(index);
    SetText(ItemControl::NetType, kNetTypes[*netType_]);
  } else {
    netType_.reset();
    SetText(ItemControl::NetType, "");
  }
  ApplyPortRule();
}

void NavisionItemDialog::FocusLost(ItemControl control) {
  if (control == ItemControl::Hotkey) {
    hotkey_.Change(Text(ItemControl::Hotkey));
    hotkey_.LoseFocus();
    SetText(ItemControl::Hotkey, hotkey_.Text());
    if (view_ != nullptr) view_->SetHotkeyColour(hotkey_.TextColour());
    Refresh();
  } else if (control == ItemControl::Location) {
    if (mode_ == ItemDialogMode::Configuration) ReadClientVersion(true);
  } else if (control == ItemControl::Server) {
    const std::string& name = State(ItemControl::Server).text;
    if (name.empty()) return;
    if (const auto port = services_.services.TcpPort(name)) SetPort(*port);
  }
}

void NavisionItemDialog::ServerListOpening() {
  // Once found, the servers stay for the dialog's life; a search that found none runs again.
  if (serverListFilled_ || services_.sql == nullptr) return;
  if (view_ != nullptr) view_->SetBusy(true);
  // The list shows every reply as it comes; what came before a failure stays. Each reply's
  // list holds the earlier ones in the same order, so only the new entries go into the field.
  const auto show = [this](const std::vector<std::string>& names) {
    if (names.empty()) return;
    serverListFilled_ = true;
    for (std::size_t at = 0; at < names.size(); ++at) {
      if (at < listedServers_.size() && listedServers_[at] == names[at]) continue;
      listedServers_.insert(listedServers_.begin() + static_cast<std::ptrdiff_t>(at), names[at]);
      if (view_ != nullptr) view_->InsertServer(at, names[at]);
    }
  };
  const DiscoveredServers found = services_.sql->DiscoverServers(show);
  show(found.names);
  if (view_ != nullptr) view_->SetBusy(false);
  if (found.failed) services_.messages.Show(platform::MessageKind::Warning, kCannotDiscover);
}

bool NavisionItemDialog::ConfirmOk() {
  if (!State(ItemControl::Ok).enabled) return false;
  if (Folder()) return true;
  const std::string& location = State(ItemControl::Location).text;
  // The client is started with its environment references expanded; the text stays as typed.
  const std::string expanded = services_.shell != nullptr ? services_.shell->ExpandEnvironment(location) : location;
  if (!services_.files.FileExists(platform::AnsiToUtf8(expanded))) {
    services_.messages.Show(platform::MessageKind::Error, FormatText(kMissingFile, {location}));
    return false;
  }
  // A port the user cannot reach (hidden in the SQL layout, disabled for a database or Netb)
  // never blocks OK.
  const ControlState& port = State(ItemControl::Port);
  if (mode_ == ItemDialogMode::Configuration && port.visible && port.enabled && !ValidPort()) {
    services_.messages.Show(platform::MessageKind::Error, FormatText(kBadPort, {State(ItemControl::Port).text}));
    return false;
  }
  return true;
}

int NavisionItemDialog::HelpNumber(std::optional<ItemControl> control) const {
  if (mode_ == ItemDialogMode::Plugin) {
    if (control == ItemControl::Name) return 41;
    if (control == ItemControl::Location) return 42;
    if (control == ItemControl::Parameters) return 60;
    if (control == ItemControl::Hotkey) return 61;
    return 40;
  }
  if (!control) return 20;
  switch (*control) {
    case ItemControl::Name: return 21;
    case ItemControl::Location: return 22;
    case ItemControl::Database:
    case ItemControl::RadDatabase: return 23;
    case ItemControl::Server:
    case ItemControl::RadServer:
    case ItemControl::ServerList: return 24;
    case ItemControl::Port: return 25;
    case ItemControl::Company: return 26;
    case ItemControl::IsSubMenu: return 27;
    case ItemControl::UseNT: return 28;
    case ItemControl::Username: return 29;
    case ItemControl::Password: return 50;
    case ItemControl::Hotkey: return 61;
    case ItemControl::Advanced: return kAdvancedHelp;
    default: return 20;
  }
}

// ---- rules

void NavisionItemDialog::Refresh() {
  const bool folder = Folder();
  SetEnabled(ItemControl::Ok, !Text(ItemControl::Name).empty() && (!Text(ItemControl::Location).empty() || folder));
  isNative_ = UpperAscii(FileNamePart(Text(ItemControl::Location))) == "FIN.EXE";
  // A location being typed has no version yet: it is read when the field is left.
  if (versionOf_ && *versionOf_ != Text(ItemControl::Location)) ForgetClientVersion();
  ApplyClientKind();
}

void NavisionItemDialog::ApplyFolderRule() {
  const bool folder = Folder();
  for (const ItemControl control : kFolderDisables) SetEnabled(control, !folder);
  if (!folder) {
    ApplyClientKind();
    ApplyLoginRule();  // clearing the box leaves the login fields as the authentication box wants
  }
  Refresh();
}

void NavisionItemDialog::ApplyClientKind() {
  if (mode_ != ItemDialogMode::Configuration) return;
  const bool native = isNative_;
  for (const ItemControl control :
       {ItemControl::RadDatabase, ItemControl::RadServer, ItemControl::Server, ItemControl::Port, ItemControl::NetType})
    SetVisible(control, native);
  for (const ItemControl control :
       {ItemControl::DatabaseLabel, ItemControl::ServerLabel, ItemControl::ServerList, ItemControl::Test})
    SetVisible(control, !native);
  // The version and the advanced settings belong to SQL clients; a native client's dialog stays
  // as it always was, and so does that of a SQL client known to be older than NAV 2013.
  SetVisible(ItemControl::VersionLabel, !native && !Text(ItemControl::VersionLabel).empty());
  SetVisible(ItemControl::Advanced, !native && TakesServerSettings(version_));
  SetEnabled(ItemControl::Advanced, !Folder());
  if (Folder()) return;
  if (native) {
    const bool server = UseServer();
    SetEnabled(ItemControl::Database, !server);
    SetEnabled(ItemControl::Server, server);
    SetEnabled(ItemControl::Port, server);
    SetEnabled(ItemControl::NetType, server);
    ApplyPortRule();
  } else {
    SetEnabled(ItemControl::Database, true);
    SetEnabled(ItemControl::ServerList, true);
    SetEnabled(ItemControl::Port, false);
    SetEnabled(ItemControl::NetType, false);
  }
}

void NavisionItemDialog::ApplyPortRule() {
  if (Folder() || mode_ != ItemDialogMode::Configuration || !isNative_) return;
  SetEnabled(ItemControl::Port, Text(ItemControl::NetType) != "Netb" && UseServer());
}

void NavisionItemDialog::ApplyLoginRule() {
  const bool enabled = !NTAuthentication() && !Folder();
  SetEnabled(ItemControl::Username, enabled);
  SetEnabled(ItemControl::Password, enabled);
}

// ---- buttons

void NavisionItemDialog::BrowseExecutable() {
  platform::OpenFileRequest request;
  const std::string location = Text(ItemControl::Location);
  if (!location.empty()) {
    request.folder = FolderPart(location);
    request.fileName = FileNamePart(location);
  } else {
    request.folder = lastLocation_;
  }
  request.filter = "Executable Files (*.exe)|*.exe|All files (*.*)|*.*";
  request.title = "Select executable file...";
  const auto chosen = services_.fileDialogs.OpenFile(request);
  if (!chosen) return;
  SetTextAndRefresh(ItemControl::Location, *chosen);
  lastLocation_ = FolderPart(*chosen);
  ReadClientVersion(true);
}

void NavisionItemDialog::ReadClientVersion(bool chosen) {
  const std::string& location = State(ItemControl::Location).text;
  if (versionOf_ == location) return;  // read once per path, never per keystroke
  versionOf_ = location;
  version_.reset();
  if (services_.versions != nullptr && !location.empty()) {
    const std::string expanded = services_.shell != nullptr ? services_.shell->ExpandEnvironment(location) : location;
    version_ = services_.versions->Read(platform::AnsiToUtf8(expanded));
  }
  SetText(ItemControl::VersionLabel, version_ ? ClientVersionText(*version_) : std::string());
  // Chosen for a new configuration, a client with the new C/AL editor starts the classic one,
  // the one Brackwater's keys work in; said once, without a box.
  if (chosen && newRecord_ && !isNative_ && version_ && HasNewEditor(*version_) && !advanced_.useOldEditor) {
    advanced_.useOldEditor = true;
    if (!editorTipShown_) {
      editorTipShown_ = true;
      ApplyClientKind();  // the tip points at the button, shown by now
      hintShown_ = true;  // in place of any bubble shown now
      if (view_ != nullptr) view_->ShowHint(ItemControl::Advanced, kClassicEditorTip);
    }
  }
  ApplyClientKind();
}

void NavisionItemDialog::ForgetClientVersion() {
  versionOf_.reset();
  version_.reset();
  SetText(ItemControl::VersionLabel, "");
}

void NavisionItemDialog::DatabaseButton() {
  if (!isNative_) {
    if (services_.sql == nullptr) return;
    if (view_ != nullptr) view_->SetBusy(true);
    const auto picked = services_.sql->PickDatabase(Login());
    if (view_ != nullptr) view_->SetBusy(false);
    if (picked) SetTextAndRefresh(ItemControl::Database, *picked);
    return;
  }
  platform::OpenFileRequest request;
  const std::string database = Text(ItemControl::Database);
  if (!database.empty()) {
    request.folder = FolderPart(database);
    request.fileName = FileNamePart(database);
  } else {
    request.folder = lastDatabaseLocation_;
  }
  request.filter = "Database Files (*.fdb)|*.fdb";
  request.title = "Select database file...";
  const auto chosen = services_.fileDialogs.OpenFile(request);
  if (!chosen) return;
  SetTextAndRefresh(ItemControl::Database, *chosen);
  lastDatabaseLocation_ = FolderPart(*chosen);
}

platform::SqlLogin NavisionItemDialog::Login() const {
  return {Text(ItemControl::ServerList), NTAuthentication(), Text(ItemControl::Username),
          Text(ItemControl::Password)};
}

// ---- state and view

void NavisionItemDialog::SetText(ItemControl control, std::string_view text) {
  if (State(control).text == text) return;
  Mutable(control).text = text;
  if (control == ItemControl::Hotkey) {
    hotkey_.Change(text);
    if (view_ != nullptr) view_->SetHotkeyColour(hotkey_.TextColour());
  }
  Publish(control);
}

void NavisionItemDialog::SetTextAndRefresh(ItemControl control, std::string_view text) {
  SetText(control, text);
  Refresh();
}

void NavisionItemDialog::SetEnabled(ItemControl control, bool enabled) {
  if (State(control).enabled == enabled) return;
  Mutable(control).enabled = enabled;
  Publish(control);
}

void NavisionItemDialog::SetVisible(ItemControl control, bool visible) {
  if (State(control).visible == visible) return;
  Mutable(control).visible = visible;
  Publish(control);
}

void NavisionItemDialog::SetChecked(ItemControl control, bool checked) {
  if (State(control).checked == checked) return;
  Mutable(control).checked = checked;
  Publish(control);
}

void NavisionItemDialog::Publish(ItemControl control) {
  if (view_ != nullptr) view_->Update(control, State(control));
}

void NavisionItemDialog::ShowHintOnce(ItemControl field, std::string_view text) {
  if (hintShown_) return;
  hintShown_ = true;
  if (view_ != nullptr) view_->ShowHint(field, text);
}

}  // namespace bw
