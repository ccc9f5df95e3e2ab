// A small XML element tree over the platform's XML parser and writer.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bw::platform {

// An element with its child elements; text is the concatenated character data of the element
// and all its descendants, in UTF-8, after the parser's line-end normalisation.
struct XmlElement {
  std::string name;
  std::string text;
  std::vector<XmlElement> children;
};

// A document that cannot be read; what() is the parser's message.
class XmlError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Parses UTF-8 text (no byte-order mark; a declaration is allowed) and returns its document
// element with child elements down to `depth` levels below it (deeper ones only count as text).
// A document type declaration is refused: no DTD, external entity or entity expansion is ever
// processed. Throws XmlError.
XmlElement ParseXmlDocument(std::string_view utf8, int depth);

// The UTF-8 bytes of a document: the declaration <?xml version="1.0" encoding="UTF-8"?>, then
// every element on its own line, indented by one tab per level, each line ended by LF. An element
// with children holds no text of its own; one without children and with empty text is written
// as an empty element. A text of blanks only is written as a CDATA section, since parsers may
// drop blank character data between tags. Text must not hold CR or control characters other than tab and LF.
std::string WriteXmlDocument(const XmlElement& root);

}  // namespace bw::platform
