#include "settings/storage.h"

#include <algorithm>
#include <type_traits>

namespace bw {

TStorage::~TStorage() {
  // Destroy the last child first, as ClearChildren does.
  ClearChildren();
}

int TStorage::AddChild(std::unique_ptr<TStorage> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return ChildCount() - 1;
}

TStorage& TStorage::Child(int index) const {
  if (index < 0 || index >= ChildCount()) throw std::out_of_range("TStorage child index out of range");
  return *children_[static_cast<std::size_t>(index)];
}

int TStorage::IndexOf(const TStorage* child) const {
  for (std::size_t i = 0; i < children_.size(); ++i)
    if (children_[i].get() == child) return static_cast<int>(i);
  return -1;
}

void TStorage::DeleteChild(int index) {
  Child(index);  // range check
  children_.erase(children_.begin() + index);
}

void TStorage::RemoveChild(const TStorage* child) {
  const int index = IndexOf(child);
  if (index >= 0) DeleteChild(index);
}

void TStorage::ClearChildren() {
  while (!children_.empty()) children_.pop_back();
}

void TStorage::MoveChild(int from, int to) {
  Child(from);
  Child(to);
  if (from == to) return;
  auto moved = std::move(children_[static_cast<std::size_t>(from)]);
  children_.erase(children_.begin() + from);
  children_.insert(children_.begin() + to, std::move(moved));
}

std::unique_ptr<TStorage> TStorage::ExtractChild(const TStorage* child) {
  const int index = IndexOf(child);
  if (index < 0) return nullptr;
  auto taken = std::move(children_[static_cast<std::size_t>(index)]);
  children_.erase(children_.begin() + index);
  return taken;
}

void TStorage::VisitFields(FieldVisitor& visitor) {
  visitor.Field("DisplayName", DisplayName);
  visitor.Field("ImageIndex", ImageIndex);
}

void TStorage::VisitFields(ConstFieldVisitor& visitor) const {
  visitor.Field("DisplayName", DisplayName);
  visitor.Field("ImageIndex", ImageIndex);
}

// Each record class lists its fields once; the template serves both visitor kinds.
#define BW_RECORD_VISITORS(Class)                                                              \
  void Class::VisitFields(FieldVisitor& visitor) { TStorage::VisitFields(visitor); Visit(*this, visitor); } \
  void Class::VisitFields(ConstFieldVisitor& visitor) const { TStorage::VisitFields(visitor); Visit(*this, visitor); }

template <class Self, class Visitor> void TBrackwaterStorage::Visit(Self& s, Visitor& v) {
  v.Field("Version", s.Version);
  v.Field("Author", s.Author);
  v.Field("Initials", s.Initials);
  v.Field("Company", s.Company);
  v.Field("ZupDir", s.ZupDir);
  v.Field("VarList", s.VarList);
  v.Field("Indent", s.Indent);
  v.Field("Unindent", s.Unindent);
  v.Field("Comment", s.Comment);
  v.Field("Uncomment", s.Uncomment);
  v.Field("InsertTemplate", s.InsertTemplate);
  v.Field("RepeatTemplate", s.RepeatTemplate);
  v.Field("OpenBrackwater", s.OpenBrackwater);
  v.Field("ToggleHotkeys", s.ToggleHotkeys);
  v.Field("InsertCredentials", s.InsertCredentials);
  v.Field("LastNavisionLocation", s.LastNavisionLocation);
  v.Field("LastDatabaseLocation", s.LastDatabaseLocation);
  v.Field("LastPluginLocation", s.LastPluginLocation);
  v.Field("ActivateViaDOT", s.ActivateViaDOT);
  v.Field("ActivateViaCTRLSpace", s.ActivateViaCTRLSpace);
  v.Field("InsertWindowLeft", s.InsertWindowLeft);
  v.Field("InsertWindowTop", s.InsertWindowTop);
  v.Field("InsertWindowWidth", s.InsertWindowWidth);
  v.Field("InsertWindowHeight", s.InsertWindowHeight);
  v.Field("InsertWindowSplitter", s.InsertWindowSplitter);
  if (!std::is_const_v<Self> || s.ProtectPasswords) v.Field("ProtectPasswords", s.ProtectPasswords);
  if (!std::is_const_v<Self> || s.NewLinePause != kDefaultNewLinePauseMs) v.Field("NewLinePause", s.NewLinePause);
  if (!std::is_const_v<Self> || s.CharacterPause != kDefaultCharacterPauseMs)
    v.Field("CharacterPause", s.CharacterPause);
}
BW_RECORD_VISITORS(TBrackwaterStorage)

template <class Self, class Visitor> void TConfigStorage::Visit(Self& s, Visitor& v) {
  v.Field("ConfigName", s.ConfigName);
  v.Field("ExecutablePath", s.ExecutablePath);
  v.Field("UseServer", s.UseServer);
  v.Field("Database", s.Database);
  v.Field("Server", s.Server);
  v.Field("Port", s.Port);
  v.Field("NetType", s.NetType);
  v.Field("Company", s.Company);
  v.Field("UseNTAuthentication", s.UseNTAuthentication);
  v.Field("Username", s.Username);
  v.Field("Password", s.Password);
  v.Field("IsSubMenu", s.IsSubMenu);
  v.Field("IsNative", s.IsNative);
  v.Field("Hotkey", s.Hotkey);
  constexpr bool kReading = !std::is_const_v<Self>;
  if (kReading || !s.NavServerName.empty()) v.Field("NavServerName", s.NavServerName);
  if (kReading || !s.NavServerInstance.empty()) v.Field("NavServerInstance", s.NavServerInstance);
  if (kReading || s.NavServerManagementPort != 0)
    v.Field("NavServerManagementPort", s.NavServerManagementPort);
  if (kReading || !s.Tenant.empty()) v.Field("Tenant", s.Tenant);
  if (kReading || s.UseOldEditor) v.Field("UseOldEditor", s.UseOldEditor);
  if (kReading || s.GenerateSymbolReference) v.Field("GenerateSymbolReference", s.GenerateSymbolReference);
  if (kReading || !s.AdditionalArguments.empty()) v.Field("AdditionalArguments", s.AdditionalArguments);
}
BW_RECORD_VISITORS(TConfigStorage)

template <class Self, class Visitor> void TCommentStorage::Visit(Self& s, Visitor& v) {
  v.Field("CommentName", s.CommentName);
  v.Field("Comment", s.Comment);
  v.Field("Hotkey", s.Hotkey);
  v.Field("Disabled", s.Disabled);
}
BW_RECORD_VISITORS(TCommentStorage)

template <class Self, class Visitor> void TPluginStorage::Visit(Self& s, Visitor& v) {
  v.Field("PluginName", s.PluginName);
  v.Field("ExecutablePath", s.ExecutablePath);
  v.Field("Parameters", s.Parameters);
  v.Field("Hotkey", s.Hotkey);
}
BW_RECORD_VISITORS(TPluginStorage)

#undef BW_RECORD_VISITORS

std::unique_ptr<TStorage> CreateStorage(std::string_view className) {
  if (className == "TStorage") return std::make_unique<TStorage>();
  if (className == "TBrackwaterStorage") return std::make_unique<TBrackwaterStorage>();
  if (className == "TConfigStorage") return std::make_unique<TConfigStorage>();
  if (className == "TCommentStorage") return std::make_unique<TCommentStorage>();
  if (className == "TPluginStorage") return std::make_unique<TPluginStorage>();
  return nullptr;
}

namespace {
TStorage& PlainFolder(const TStorage& root, int index) {
  auto& folder = root.Child(index);
  if (folder.ClassName() != "TStorage") throw InvalidCast();
  return folder;
}
}  // namespace

TBrackwaterStorage& General(const TStorage& root) { return As<TBrackwaterStorage>(root.Child(kGeneralIndex)); }
TStorage& ConfigsFolder(const TStorage& root) { return PlainFolder(root, kConfigsIndex); }
TStorage& TemplatesFolder(const TStorage& root) { return PlainFolder(root, kTemplatesIndex); }
TStorage& PluginsFolder(const TStorage& root) { return PlainFolder(root, kPluginsIndex); }
TConfigStorage& Config(const TStorage& root, int index) { return As<TConfigStorage>(ConfigsFolder(root).Child(index)); }
TCommentStorage& Template(const TStorage& root, int index) { return As<TCommentStorage>(TemplatesFolder(root).Child(index)); }
TPluginStorage& Plugin(const TStorage& root, int index) { return As<TPluginStorage>(PluginsFolder(root).Child(index)); }

bool HasRootLayout(const TStorage& root) {
  if (root.ClassName() != "TStorage" || root.ChildCount() != 4) return false;
  if (root.Child(kGeneralIndex).ClassName() != "TBrackwaterStorage") return false;
  for (int i = kConfigsIndex; i <= kPluginsIndex; ++i)
    if (root.Child(i).ClassName() != "TStorage") return false;
  return true;
}

}  // namespace bw
