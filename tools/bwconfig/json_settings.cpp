#include "json_settings.h"

#include <limits>
#include <set>
#include <nlohmann/json.hpp>

#include "platform/ansi_text.h"

namespace bw::bwconfig {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kClassKey = "class";
constexpr std::string_view kChildrenKey = "children";
constexpr std::string_view kPasswordField = "Password";

// Each record is an object inside the children array of its parent: two JSON levels.
constexpr int kMaxJsonDepth = 2 * kMaxJsonRecordDepth + 1;

class JsonFieldWriter final : public ConstFieldVisitor {
public:
  JsonFieldWriter(Json& object, const JsonWriteOptions& options) : object_(object), options_(options) {}

  void Field(std::string_view name, const std::string& value) override {
    if (options_.maskPasswords && name == kPasswordField && !value.empty())
      object_[std::string(name)] = kMaskedPassword;
    else
      object_[std::string(name)] = platform::AnsiToUtf8(value);
  }
  void Field(std::string_view name, std::int32_t value) override { object_[std::string(name)] = value; }
  void Field(std::string_view name, bool value) override { object_[std::string(name)] = value; }
  void Field(std::string_view name, const StringList& value) override {
    Json lines = Json::array();
    for (const auto& line : value) lines.push_back(platform::AnsiToUtf8(line));
    object_[std::string(name)] = std::move(lines);
  }

private:
  Json& object_;
  const JsonWriteOptions& options_;
};

Json RecordToJson(const TStorage& record, const JsonWriteOptions& options) {
  Json object = Json::object();
  object[std::string(kClassKey)] = std::string(record.ClassName());
  JsonFieldWriter writer(object, options);
  record.VisitFields(writer);
  Json children = Json::array();
  for (int i = 0; i < record.ChildCount(); ++i) children.push_back(RecordToJson(record.Child(i), options));
  object[std::string(kChildrenKey)] = std::move(children);
  return object;
}

class JsonFieldReader final : public FieldVisitor {
public:
  JsonFieldReader(const Json& object, std::string_view where) : object_(object), where_(where) {}

  void Field(std::string_view name, std::string& value) override {
    if (const Json* json = Find(name)) value = Text(*json, name);
  }
  void Field(std::string_view name, std::int32_t& value) override {
    const Json* json = Find(name);
    if (!json) return;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    if (json->is_number_unsigned()) {
      const auto number = json->get<std::uint64_t>();
      if (number > static_cast<std::uint64_t>(kMax)) Fail(name, "integer outside the 32-bit range");
      value = static_cast<std::int32_t>(number);
    } else if (json->is_number_integer()) {
      const auto number = json->get<std::int64_t>();
      if (number < kMin || number > kMax) Fail(name, "integer outside the 32-bit range");
      value = static_cast<std::int32_t>(number);
    } else {
      Fail(name, "expected an integer, found " + TypeName(*json));
    }
  }
  void Field(std::string_view name, bool& value) override {
    const Json* json = Find(name);
    if (!json) return;
    if (!json->is_boolean()) Fail(name, "expected true or false, found " + TypeName(*json));
    value = json->get<bool>();
  }
  void Field(std::string_view name, StringList& value) override {
    const Json* json = Find(name);
    if (!json) return;
    if (!json->is_array()) Fail(name, "expected an array of strings, found " + TypeName(*json));
    StringList lines;
    for (const auto& line : *json) lines.push_back(Text(line, name));
    value = std::move(lines);
  }

  const std::set<std::string, std::less<>>& Known() const { return known_; }

private:
  const Json* Find(std::string_view name) {
    known_.emplace(name);
    const auto it = object_.find(std::string(name));
    return it == object_.end() ? nullptr : &*it;
  }

  std::string Text(const Json& json, std::string_view name) const {
    if (!json.is_string()) Fail(name, "expected a string, found " + TypeName(json));
    auto ansi = platform::Utf8ToAnsi(json.get_ref<const std::string&>());
    if (!ansi) Fail(name, "holds a character that the ANSI code page cannot store");
    return std::move(*ansi);
  }

  [[noreturn]] void Fail(std::string_view name, const std::string& problem) const {
    throw JsonSettingsError(std::string(where_) + ", field \"" + std::string(name) + "\": " + problem);
  }

  static std::string TypeName(const Json& json) { return json.type_name(); }

  const Json& object_;
  std::string_view where_;
  std::set<std::string, std::less<>> known_;
};

std::string Where(const std::string& pointer) { return "record " + (pointer.empty() ? std::string("/") : pointer); }

std::unique_ptr<TStorage> RecordFromJson(const Json& json, const std::string& pointer, int depth) {
  const std::string where = Where(pointer);
  if (depth >= kMaxJsonRecordDepth) throw JsonSettingsError(where + ": records are nested too deeply");
  if (!json.is_object()) throw JsonSettingsError(where + ": expected an object, found " + std::string(json.type_name()));

  const auto classIt = json.find(std::string(kClassKey));
  if (classIt == json.end()) throw JsonSettingsError(where + ": \"class\" is missing");
  if (!classIt->is_string()) throw JsonSettingsError(where + ": \"class\" must be a string");
  const auto& className = classIt->get_ref<const std::string&>();
  auto record = CreateStorage(className);
  if (!record) throw JsonSettingsError(where + ": unknown class \"" + className + "\"");

  JsonFieldReader reader(json, where);
  record->VisitFields(reader);
  for (const auto& [key, value] : json.items()) {
    if (key == kClassKey || key == kChildrenKey || reader.Known().contains(key)) continue;
    throw JsonSettingsError(where + ": " + className + " has no field \"" + key + "\"");
  }

  const auto childrenIt = json.find(std::string(kChildrenKey));
  if (childrenIt != json.end()) {
    if (!childrenIt->is_array())
      throw JsonSettingsError(where + ": \"children\" must be an array, found " + std::string(childrenIt->type_name()));
    std::size_t index = 0;
    for (const auto& child : *childrenIt) {
      const std::string childPointer = pointer + "/children/" + std::to_string(index++);
      record->AddChild(RecordFromJson(child, childPointer, depth + 1));
    }
  }
  return record;
}

}  // namespace

std::string WriteSettingsJson(const TStorage& root, const JsonWriteOptions& options) {
  return RecordToJson(root, options).dump(2) + "\n";
}

std::unique_ptr<TStorage> ReadSettingsJson(std::string_view text) {
  // Refuse deep nesting while parsing, before any of it is built.
  const Json::parser_callback_t limitDepth = [](int depth, Json::parse_event_t, Json&) {
    if (depth > kMaxJsonDepth) throw JsonSettingsError("JSON values are nested too deeply");
    return true;
  };
  Json json;
  try {
    json = Json::parse(text.begin(), text.end(), limitDepth);
  } catch (const Json::exception& e) {  // syntax errors, and numbers beyond a double (out_of_range)
    std::string message = e.what();
    if (const auto end = message.find("] "); end != std::string::npos) message.erase(0, end + 2);
    throw JsonSettingsError("not valid JSON: " + message);
  }
  return RecordFromJson(json, "", 0);
}

}  // namespace bw::bwconfig
