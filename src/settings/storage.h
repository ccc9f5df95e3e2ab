// The settings tree: TStorage records and the four record classes that hold settings.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

using StringList = std::vector<std::string>;

// The typing pace's stored defaults, in milliseconds: the wait after each typed Enter and the
// wait after each typed character.
inline constexpr std::int32_t kDefaultNewLinePauseMs = 150;
inline constexpr std::int32_t kDefaultCharacterPauseMs = 0;

// Visits the persisted fields of a record in file order. One overload per field type.
class FieldVisitor {
public:
  virtual ~FieldVisitor() = default;
  virtual void Field(std::string_view name, std::string& value) = 0;
  virtual void Field(std::string_view name, std::int32_t& value) = 0;
  virtual void Field(std::string_view name, bool& value) = 0;
  virtual void Field(std::string_view name, StringList& value) = 0;
};

class ConstFieldVisitor {
public:
  virtual ~ConstFieldVisitor() = default;
  virtual void Field(std::string_view name, const std::string& value) = 0;
  virtual void Field(std::string_view name, std::int32_t value) = 0;
  virtual void Field(std::string_view name, bool value) = 0;
  virtual void Field(std::string_view name, const StringList& value) = 0;
};

// Raised by the typed accessors when a record is not of the expected class.
class InvalidCast : public std::runtime_error {
public:
  InvalidCast() : std::runtime_error("Invalid class typecast") {}
};

// A node of the settings tree. A node owns its children; destroying it destroys its subtree.
class TStorage {
public:
  TStorage() = default;
  TStorage(const TStorage&) = delete;
  TStorage& operator=(const TStorage&) = delete;
  virtual ~TStorage();

  virtual std::string_view ClassName() const { return "TStorage"; }

  // Children (indexes are 0-based; an index out of range throws std::out_of_range).
  int AddChild(std::unique_ptr<TStorage> child);
  void DeleteChild(int index);
  void RemoveChild(const TStorage* child);
  void ClearChildren();
  void MoveChild(int from, int to);
  // Takes the child out without destroying it; its parent reference stays until the next AddChild.
  std::unique_ptr<TStorage> ExtractChild(const TStorage* child);
  int ChildCount() const { return static_cast<int>(children_.size()); }
  TStorage& Child(int index) const;
  int IndexOf(const TStorage* child) const;
  TStorage* Parent() const { return parent_; }
  TStorage& ParentOrSelf() { return parent_ ? *parent_ : *this; }

  // Persisted fields in file order: DisplayName and ImageIndex, then the class's own.
  virtual void VisitFields(FieldVisitor& visitor);
  virtual void VisitFields(ConstFieldVisitor& visitor) const;

  std::string DisplayName;        // never set by the program
  std::int32_t ImageIndex = -1;   // never changed

private:
  std::vector<std::unique_ptr<TStorage>> children_;
  TStorage* parent_ = nullptr;
};

// General settings (root child 0).
class TBrackwaterStorage : public TStorage {
public:
  std::string_view ClassName() const override { return "TBrackwaterStorage"; }
  void VisitFields(FieldVisitor& visitor) override;
  void VisitFields(ConstFieldVisitor& visitor) const override;

  std::string Version;
  std::string Author;
  std::string Initials;
  std::string Company;
  std::string ZupDir;
  StringList VarList;
  std::string Indent = "Shift+Ctrl+.";
  std::string Unindent = "Shift+Ctrl+,";
  std::string Comment = "Shift+Ctrl+]";
  std::string Uncomment = "Shift+Ctrl+[";
  std::string InsertTemplate = "Shift+Ctrl+Ins";
  std::string RepeatTemplate = "Shift+Ctrl+/";
  std::string OpenBrackwater = "Shift+Ctrl+Home";
  std::string ToggleHotkeys = "Shift+Ctrl+PgUp";
  std::string InsertCredentials = "Shift+Ctrl+Tab";
  std::string LastNavisionLocation;
  std::string LastDatabaseLocation;
  std::string LastPluginLocation;
  bool ActivateViaDOT = false;
  bool ActivateViaCTRLSpace = true;
  std::int32_t InsertWindowLeft = 0;
  std::int32_t InsertWindowTop = 0;
  std::int32_t InsertWindowWidth = 0;
  std::int32_t InsertWindowHeight = 0;
  std::int32_t InsertWindowSplitter = 0;
  // Stored passwords are kept protected by the user's account; written only when set, so a
  // file that does not use it stays as it was.
  bool ProtectPasswords = false;
  // The typing pace in milliseconds, for slow and remote connections; each is written only when
  // it differs from its default. Read as stored: the typing clamps it (a damaged or hand-made
  // file may hold anything).
  std::int32_t NewLinePause = kDefaultNewLinePauseMs;
  std::int32_t CharacterPause = kDefaultCharacterPauseMs;

private:
  template <class Self, class Visitor> static void Visit(Self& self, Visitor& visitor);
};

// A client configuration, or a folder of them when IsSubMenu is set.
class TConfigStorage : public TStorage {
public:
  std::string_view ClassName() const override { return "TConfigStorage"; }
  void VisitFields(FieldVisitor& visitor) override;
  void VisitFields(ConstFieldVisitor& visitor) const override;

  std::string ConfigName;
  std::string ExecutablePath;
  bool UseServer = false;
  std::string Database;
  std::string Server;
  std::int32_t Port = 0;
  std::string NetType = "TCP";
  std::string Company;
  bool UseNTAuthentication = false;
  std::string Username;
  std::string Password;
  bool IsSubMenu = false;
  bool IsNative = false;
  std::int32_t Hotkey = 0;
  // The development environment's own pieces (NAV 2013 and later). Each is written only when
  // set, so a file whose configurations use none of them stays as it was.
  std::string NavServerName;
  std::string NavServerInstance;
  std::int32_t NavServerManagementPort = 0;  // 0: none given
  std::string Tenant;
  bool UseOldEditor = false;
  bool GenerateSymbolReference = false;
  std::string AdditionalArguments;  // appended to the argument text as given

private:
  template <class Self, class Visitor> static void Visit(Self& self, Visitor& visitor);
};

// A code template.
class TCommentStorage : public TStorage {
public:
  std::string_view ClassName() const override { return "TCommentStorage"; }
  void VisitFields(FieldVisitor& visitor) override;
  void VisitFields(ConstFieldVisitor& visitor) const override;

  std::string CommentName;
  std::string Comment;
  std::int32_t Hotkey = 0;
  bool Disabled = false;
  bool HotkeyFailed = false;  // in memory only: the platform refused the hotkey

private:
  template <class Self, class Visitor> static void Visit(Self& self, Visitor& visitor);
};

// A plug-in: an outside program started with parameters.
class TPluginStorage : public TStorage {
public:
  std::string_view ClassName() const override { return "TPluginStorage"; }
  void VisitFields(FieldVisitor& visitor) override;
  void VisitFields(ConstFieldVisitor& visitor) const override;

  std::string PluginName;
  std::string ExecutablePath;
  std::string Parameters;
  std::int32_t Hotkey = 0;

private:
  template <class Self, class Visitor> static void Visit(Self& self, Visitor& visitor);
};

// Creates an empty record of one of the five registered classes; nullptr for any other name.
std::unique_ptr<TStorage> CreateStorage(std::string_view className);

// Root layout.
inline constexpr int kGeneralIndex = 0;
inline constexpr int kConfigsIndex = 1;
inline constexpr int kTemplatesIndex = 2;
inline constexpr int kPluginsIndex = 3;

// Typed accessors; each throws InvalidCast on a record of another class.
TBrackwaterStorage& General(const TStorage& root);
TStorage& ConfigsFolder(const TStorage& root);
TStorage& TemplatesFolder(const TStorage& root);
TStorage& PluginsFolder(const TStorage& root);
TConfigStorage& Config(const TStorage& root, int index);
TCommentStorage& Template(const TStorage& root, int index);
TPluginStorage& Plugin(const TStorage& root, int index);

// Casts a record to a record class; throws InvalidCast on mismatch.
template <class T> T& As(TStorage& record) {
  auto* typed = dynamic_cast<T*>(&record);
  if (!typed) throw InvalidCast();
  return *typed;
}

// True when the root has the four children of the root layout with the right classes.
bool HasRootLayout(const TStorage& root);

// Depth-first walk of a configuration folder: each record before its children.
template <class F> void WalkConfigs(const TStorage& folder, F&& visit, int depth = 0) {
  for (int i = 0; i < folder.ChildCount(); ++i) {
    auto& config = As<TConfigStorage>(folder.Child(i));
    visit(config, depth);
    WalkConfigs(config, visit, depth + 1);
  }
}

}  // namespace bw
