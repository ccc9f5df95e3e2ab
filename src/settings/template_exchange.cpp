// Template exchange files over the platform's XML element tree.
#include "settings/template_exchange.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/ansi_text.h"
#include "platform/xml_document.h"
#include "settings/hotkey_text.h"

namespace bw {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence at `at`, or 0 when it is malformed.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07u, minimum = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3Fu);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// Settings text from file text: a character without an ANSI byte becomes "?".
std::string ToAnsi(std::string_view utf8) {
  if (auto whole = platform::Utf8ToAnsi(utf8)) return *whole;
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = std::max<std::size_t>(SequenceLength(utf8, at), 1);
    const auto one = platform::Utf8ToAnsi(utf8.substr(at, length));
    out += one && one->size() == 1 ? *one : std::string("?");
    at += length;
  }
  return out;
}

std::string ToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// File text of a settings text; refuses what XML 1.0 cannot carry.
std::string FileText(std::string_view ansi, std::string_view what, std::string_view name) {
  std::string text = platform::AnsiToUtf8(ToLf(ansi));
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
      throw TemplateFileError("the " + std::string(what) + " of template \"" + std::string(name) +
                              "\" holds a control character that a template file cannot carry");
  return text;
}

platform::XmlElement Leaf(std::string name, std::string text) { return {std::move(name), std::move(text), {}}; }

const platform::XmlElement* FindChild(const platform::XmlElement& parent, std::string_view name) {
  for (const auto& child : parent.children)
    if (child.name == name) return &child;
  return nullptr;
}

}  // namespace

std::string ToCrLf(std::string_view text) {
  const std::string lf = ToLf(text);
  std::string out;
  out.reserve(lf.size() + lf.size() / 16);
  for (const char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::vector<std::uint8_t> ExportTemplates(std::span<const TCommentStorage* const> templates, platform::KeyNames& keys) {
  platform::XmlElement root{"Brackwater", {}, {}};
  for (const TCommentStorage* item : templates) {
    const std::string name = platform::AnsiToUtf8(item->CommentName);
    platform::XmlElement element{"Template", {}, {}};
    element.children.push_back(Leaf("Name", FileText(item->CommentName, "name", name)));
    element.children.push_back(Leaf("Code", FileText(item->Comment, "text", name)));
    const auto code = ItemShortcut(item->Hotkey);
    element.children.push_back(Leaf("Hotkey", code ? platform::AnsiToUtf8(FormatHotkey(code, keys)) : ""));
    root.children.push_back(std::move(element));
  }
  const std::string bytes = platform::WriteXmlDocument(root);
  return {bytes.begin(), bytes.end()};
}

TemplateFileContents ReadTemplateFile(std::span<const std::uint8_t> bytes, platform::KeyNames& keys) {
  if (bytes.size() > kMaxTemplateFileBytes) throw TemplateFileError(std::string(kTemplateFileTooLarge));
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  if (!IsUtf8(text) || text.find('\0') != std::string_view::npos) throw TemplateFileError("the file is not UTF-8 text");

  platform::XmlElement root;
  try {
    root = platform::ParseXmlDocument(text, 2);
  } catch (const platform::XmlError& e) {
    throw TemplateFileError(e.what());
  }

  TemplateFileContents contents;
  for (const auto& element : root.children) {
    if (element.name != "Template") continue;
    const auto* name = FindChild(element, "Name");
    const auto* code = FindChild(element, "Code");
    if (!name || name->text.empty() || !code || code->text.empty()) {
      contents.stopped = true;
      contents.error = kTemplateWithoutText;
      break;
    }
    auto item = std::make_unique<TCommentStorage>();
    item->CommentName = ToCrLf(ToAnsi(name->text));
    item->Comment = ToCrLf(ToAnsi(code->text));
    const auto* hotkey = FindChild(element, "Hotkey");
    item->Hotkey = hotkey && !hotkey->text.empty() ? ParseHotkey(ToAnsi(hotkey->text), keys) : 0;
    if (item->Hotkey != 0 && (item->Hotkey & (kCtrl | kAlt)) == 0) {
      item->Hotkey = 0;
      ++contents.droppedHotkeys;
    }
    contents.templates.push_back(std::move(item));
  }
  return contents;
}

int AppendTemplates(TemplateFileContents& contents, TStorage& templatesFolder) {
  int appended = 0;
  for (auto& item : contents.templates) {
    MarkDuplicateHotkey(*item, templatesFolder);
    templatesFolder.AddChild(std::move(item));
    ++appended;
  }
  contents.templates.clear();
  return appended;
}

std::string DroppedHotkeysText(int dropped) {
  return std::to_string(dropped) + (dropped == 1 ? " hotkey was" : " hotkeys were") +
         " not imported, since a hotkey needs Ctrl or Alt; " + (dropped == 1 ? "its template has" : "their templates have") +
         " no hotkey.";
}

TemplateImport ImportTemplates(std::span<const std::uint8_t> bytes, TStorage& templatesFolder, platform::KeyNames& keys) {
  auto contents = ReadTemplateFile(bytes, keys);
  TemplateImport result;
  result.stopped = contents.stopped;
  result.error = contents.error;
  result.droppedHotkeys = contents.droppedHotkeys;
  result.imported = AppendTemplates(contents, templatesFolder);
  return result;
}

}  // namespace bw
