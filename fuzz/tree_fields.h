// Field-by-field comparison of two settings trees, for the fuzzers' round-trip checks. A check
// through the writer alone would miss a field that the writer loses every time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/storage.h"

namespace bw::fuzz {

// One record's fields as (name, value) texts, with the kind folded into the value.
class FieldList final : public ConstFieldVisitor {
public:
  struct Entry {
    std::string name;
    std::string value;
    bool text = false;  // a plain string field
  };

  void Field(std::string_view name, const std::string& value) override { Add(name, "s:" + value, true); }
  void Field(std::string_view name, std::int32_t value) override { Add(name, "i:" + std::to_string(value)); }
  void Field(std::string_view name, bool value) override { Add(name, value ? "b:1" : "b:0"); }
  void Field(std::string_view name, const StringList& value) override {
    std::string joined = "l:" + std::to_string(value.size());
    for (const auto& line : value) joined += ":" + std::to_string(line.size()) + ":" + line;
    Add(name, joined);
  }

  std::vector<Entry> entries;

private:
  void Add(std::string_view name, std::string value, bool text = false) {
    entries.push_back({std::string(name), std::move(value), text});
  }
};

inline std::vector<FieldList::Entry> FieldsOf(const TStorage& record) {
  FieldList list;
  record.VisitFields(list);
  return std::move(list.entries);
}

// True when both trees have the same classes, fields and children. With emptyTextsDefault, an
// empty text of `read` may stand as the field's construction default in `reread` (the record
// stream does not write empty texts).
inline bool SameTree(const TStorage& read, const TStorage& reread, bool emptyTextsDefault) {
  if (read.ClassName() != reread.ClassName() || read.ChildCount() != reread.ChildCount()) return false;
  const auto a = FieldsOf(read);
  const auto b = FieldsOf(reread);
  if (a.size() != b.size()) return false;
  std::vector<FieldList::Entry> defaults;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name) return false;
    if (a[i].value == b[i].value) continue;
    if (!emptyTextsDefault || !a[i].text || a[i].value != "s:") return false;
    if (defaults.empty()) {
      const auto fresh = CreateStorage(read.ClassName());
      if (!fresh) return false;
      defaults = FieldsOf(*fresh);
      if (defaults.size() != a.size()) return false;
    }
    if (b[i].value != defaults[i].value) return false;
  }
  for (int i = 0; i < read.ChildCount(); ++i)
    if (!SameTree(read.Child(i), reread.Child(i), emptyTextsDefault)) return false;
  return true;
}

}  // namespace bw::fuzz
