// Feeds arbitrary bytes to the template file reader. Whatever it accepts must export again, and
// that export must import to the same templates.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/native/us_key_names.h"
#include "settings/template_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bw::platform::UsKeyNames keys;
  bw::TStorage folder;
  try {
    bw::ImportTemplates(std::span<const std::uint8_t>(data, size), folder, keys);
  } catch (const bw::TemplateFileError&) {
    return 0;
  }
  std::vector<const bw::TCommentStorage*> templates;
  for (int i = 0; i < folder.ChildCount(); ++i)
    templates.push_back(&dynamic_cast<const bw::TCommentStorage&>(folder.Child(i)));
  std::vector<std::uint8_t> exported;
  try {
    exported = bw::ExportTemplates(templates, keys);
  } catch (const bw::TemplateFileError&) {
    return 0;  // a control character read from a character reference
  }
  bw::TStorage again;
  const auto result = bw::ImportTemplates(exported, again, keys);
  if (result.stopped || again.ChildCount() != folder.ChildCount()) __builtin_trap();
  for (int i = 0; i < folder.ChildCount(); ++i) {
    const auto& a = dynamic_cast<const bw::TCommentStorage&>(folder.Child(i));
    const auto& b = dynamic_cast<const bw::TCommentStorage&>(again.Child(i));
    if (a.CommentName != b.CommentName || a.Comment != b.Comment || a.Hotkey != b.Hotkey) __builtin_trap();
  }
  return 0;
}
