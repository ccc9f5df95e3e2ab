// The XML element tree over tinyxml2.
#include <tinyxml2.h>

#include "platform/xml_document.h"

namespace bw::platform {

namespace {

void AppendText(const tinyxml2::XMLNode& node, std::string& out) {
  for (const auto* child = node.FirstChild(); child; child = child->NextSibling()) {
    if (const auto* text = child->ToText()) {
      out += text->Value();
    } else if (child->ToElement()) {
      AppendText(*child, out);  // tinyxml2 bounds the nesting depth
    }
  }
}

XmlElement Convert(const tinyxml2::XMLElement& element, int depth) {
  XmlElement out;
  out.name = element.Name();
  AppendText(element, out.text);
  if (depth > 0)
    for (const auto* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
      out.children.push_back(Convert(*child, depth - 1));
  return out;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\n") == std::string_view::npos; }

// Indents by tabs instead of spaces.
class TabPrinter final : public tinyxml2::XMLPrinter {
public:
  TabPrinter() : XMLPrinter(nullptr, false, 0) {}

protected:
  void PrintSpace(int depth) override {
    for (int i = 0; i < depth; ++i) Write("\t", 1);
  }
};

void Build(tinyxml2::XMLDocument& document, tinyxml2::XMLNode& parent, const XmlElement& element) {
  auto* node = document.NewElement(element.name.c_str());
  parent.InsertEndChild(node);
  if (element.children.empty()) {
    if (element.text.empty()) return;
    auto* text = document.NewText(element.text.c_str());
    text->SetCData(IsBlank(element.text));
    node->InsertEndChild(text);
    return;
  }
  for (const auto& child : element.children) Build(document, *node, child);
}

}  // namespace

XmlElement ParseXmlDocument(std::string_view utf8, int depth) {
  tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
  if (document.Parse(utf8.data(), utf8.size()) != tinyxml2::XML_SUCCESS) {
    std::string message = document.ErrorStr();
    throw XmlError(message.empty() ? "the file is not well-formed XML" : message);
  }
  // tinyxml2 keeps a document type declaration as an unknown node and never expands entities
  // other than the predefined and numeric ones; refuse it as MSXML does.
  for (const auto* node = document.FirstChild(); node; node = node->NextSibling()) {
    if (const auto* unknown = node->ToUnknown()) {
      const std::string_view value = unknown->Value();
      if (value.starts_with("DOCTYPE") || value.starts_with("doctype"))
        throw XmlError("a document type definition (DTD) is not allowed in this file");
    }
  }
  const auto* root = document.RootElement();
  if (!root) throw XmlError("the file holds no document element");
  return Convert(*root, depth);
}

std::string WriteXmlDocument(const XmlElement& root) {
  tinyxml2::XMLDocument document;
  document.InsertEndChild(document.NewDeclaration("xml version=\"1.0\" encoding=\"UTF-8\""));
  Build(document, document, root);
  TabPrinter printer;
  document.Print(&printer);
  return std::string(printer.CStr(), static_cast<std::size_t>(printer.CStrSize() - 1));
}

}  // namespace bw::platform
