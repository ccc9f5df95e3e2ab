// Template exchange files (*.tml): templates passed between users as small XML files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_names.h"
#include "settings/storage.h"

namespace bw {

// Larger files are refused before parsing, with this message.
inline constexpr std::size_t kMaxTemplateFileBytes = 16u << 20;
inline constexpr std::string_view kTemplateFileTooLarge = "the file is too large for a template file";

// A file that cannot be exported or read at all; nothing has changed.
class TemplateFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The file's bytes for the templates in the given order: UTF-8 with a declaration. Line breaks
// of the template texts are written as LF (the XML parser's form of CR LF). Throws
// TemplateFileError for a text that XML cannot carry (control characters).
std::vector<std::uint8_t> ExportTemplates(std::span<const TCommentStorage* const> templates, platform::KeyNames& keys);

// The message for a "Template" element without name or code.
inline constexpr std::string_view kTemplateWithoutText = "Could not convert variant of type (Null) into type (String)";

// The templates of a file, read but not yet added.
struct TemplateFileContents {
  std::vector<std::unique_ptr<TCommentStorage>> templates;  // in file order
  bool stopped = false;  // a "Template" element without name or code ended the list
  std::string error;     // the reason it stopped
  int droppedHotkeys = 0;  // hotkeys without Ctrl or Alt, not taken (their templates have none)
};

// Reads every "Template" child of the document element, in file order, with line breaks (of
// names too) as CR LF and the hotkey parsed (0 when it names no key, or when it has neither Ctrl
// nor Alt: such a hotkey is dropped and counted); stops at a template
// without name or code, keeping those before it. Throws TemplateFileError for a file that is
// not readable UTF-8 XML or that holds a document type definition.
TemplateFileContents ReadTemplateFile(std::span<const std::uint8_t> bytes, platform::KeyNames& keys);

// Appends the templates to the folder in order, each with its duplicate mark set; returns how many.
int AppendTemplates(TemplateFileContents& contents, TStorage& templatesFolder);

struct TemplateImport {
  int imported = 0;     // templates appended, in file order
  bool stopped = false; // a "Template" element without name or code ended the import
  std::string error;    // the reason it stopped
  int droppedHotkeys = 0;  // as in TemplateFileContents
};

// What an import says when it dropped hotkeys: a system-wide hotkey without Ctrl or Alt (Enter,
// Space, a letter) would take that key from every program.
std::string DroppedHotkeysText(int dropped);

// ReadTemplateFile, then AppendTemplates: nothing changes when it throws.
TemplateImport ImportTemplates(std::span<const std::uint8_t> bytes, TStorage& templatesFolder, platform::KeyNames& keys);

// CR LF and lone CR become LF, then every LF becomes CR LF.
std::string ToCrLf(std::string_view text);

}  // namespace bw
