// The XML element tree over MSXML, the platform's XML document object model.
#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>

#include <climits>
#include <string>
#include <utility>

#include "platform/win32/com_apartment.h"
#include "platform/xml_document.h"

namespace bw::platform {

namespace {

// The class and interface identifiers, defined here so that no import library is needed.
constexpr CLSID kDomDocument60 = {0x88D96A05, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr CLSID kDomDocument30 = {0xF5078F32, 0xC551, 0x11D3, {0x89, 0xB9, 0x00, 0x00, 0xF8, 0x1F, 0xE2, 0x21}};
constexpr IID kIXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Owns one reference of a COM interface.
template <class T> class Com {
public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  Com(Com&& other) noexcept { Swap(other); }
  ~Com() { Reset(); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T** Out() {
    Reset();
    return &p_;
  }
  void Swap(Com& other) { std::swap(p_, other.p_); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

private:
  T* p_ = nullptr;
};

class Bstr {
public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  BSTR* Out() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  BSTR Get() const { return b_; }

private:
  BSTR b_ = nullptr;
};

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) throw XmlError(std::string("MSXML: ") + what + " failed");
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() > static_cast<std::size_t>(INT_MAX)) throw XmlError("the file is too large");
  const int length = static_cast<int>(utf8.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (wideLength <= 0) throw XmlError("the file is not UTF-8 text");
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), wideLength);
  return wide;
}

std::string Utf8(const wchar_t* wide, UINT size) {
  if (!wide || size == 0) return {};
  const int wideLength = static_cast<int>(size);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, out.data(), length, nullptr, nullptr);
  return out;
}

std::string Utf8(const Bstr& text) { return Utf8(text.Get(), SysStringLen(text.Get())); }

Com<IXMLDOMDocument2> NewDocument() {
  Com<IXMLDOMDocument2> document;
  HRESULT result = CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIXmlDomDocument2,
                                    reinterpret_cast<void**>(document.Out()));
  if (FAILED(result))
    result = CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, kIXmlDomDocument2,
                              reinterpret_cast<void**>(document.Out()));
  Check(result, "creating a document");
  // Documents from other people: no DTD, no external resource, no validation, text as it stands.
  VARIANT yes;
  VariantInit(&yes);
  yes.vt = VT_BOOL;
  yes.boolVal = VARIANT_TRUE;
  document->setProperty(Bstr(L"ProhibitDTD").Get(), yes);
  VARIANT no = yes;
  no.boolVal = VARIANT_FALSE;
  document->setProperty(Bstr(L"AllowXsltScript").Get(), no);
  document->setProperty(Bstr(L"AllowDocumentFunction").Get(), no);
  Check(document->put_async(VARIANT_FALSE), "async");
  Check(document->put_resolveExternals(VARIANT_FALSE), "resolveExternals");
  Check(document->put_validateOnParse(VARIANT_FALSE), "validateOnParse");
  Check(document->put_preserveWhiteSpace(VARIANT_TRUE), "preserveWhiteSpace");
  return document;
}

XmlElement Convert(IXMLDOMNode& node, int depth) {
  XmlElement out;
  Bstr name;
  Check(node.get_nodeName(name.Out()), "nodeName");
  out.name = Utf8(name);
  Bstr text;
  Check(node.get_text(text.Out()), "text");
  out.text = Utf8(text);
  if (depth <= 0) return out;
  Com<IXMLDOMNode> child;
  node.get_firstChild(child.Out());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type == NODE_ELEMENT) out.children.push_back(Convert(*child.Get(), depth - 1));
    Com<IXMLDOMNode> next;
    child->get_nextSibling(next.Out());
    child.Swap(next);
  }
  return out;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\n") == std::string_view::npos; }

void Append(IXMLDOMNode& parent, IXMLDOMNode& child) {
  Com<IXMLDOMNode> added;
  Check(parent.appendChild(&child, added.Out()), "appendChild");
}

void AppendText(IXMLDOMDocument2& document, IXMLDOMNode& parent, const std::wstring& text) {
  Com<IXMLDOMText> node;
  Check(document.createTextNode(Bstr(text).Get(), node.Out()), "createTextNode");
  Append(parent, *node.Get());
}

void Build(IXMLDOMDocument2& document, IXMLDOMNode& parent, const XmlElement& element, int level) {
  Com<IXMLDOMElement> node;
  Check(document.createElement(Bstr(Wide(element.name)).Get(), node.Out()), "createElement");
  if (element.children.empty()) {
    if (IsBlank(element.text) && !element.text.empty()) {
      Com<IXMLDOMCDATASection> data;
      Check(document.createCDATASection(Bstr(Wide(element.text)).Get(), data.Out()), "createCDATASection");
      Append(*node.Get(), *data.Get());
    } else if (!element.text.empty()) {
      AppendText(document, *node.Get(), Wide(element.text));
    }
  } else {
    for (const auto& child : element.children) {
      AppendText(document, *node.Get(), L"\n" + std::wstring(static_cast<std::size_t>(level + 1), L'\t'));
      Build(document, *node.Get(), child, level + 1);
    }
    AppendText(document, *node.Get(), L"\n" + std::wstring(static_cast<std::size_t>(level), L'\t'));
  }
  Append(parent, *node.Get());
}

}  // namespace

XmlElement ParseXmlDocument(std::string_view utf8, int depth) {
  // Refused before MSXML sees it, whatever its version makes of ProhibitDTD.
  if (utf8.find("<!DOCTYPE") != std::string_view::npos)
    throw XmlError("a document type definition (DTD) is not allowed in this file");
  ComApartment com;
  auto document = NewDocument();
  VARIANT_BOOL loaded = VARIANT_FALSE;
  document->loadXML(Bstr(Wide(utf8)).Get(), &loaded);
  if (loaded != VARIANT_TRUE) {
    Com<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0;
    long position = 0;
    if (SUCCEEDED(document->get_parseError(error.Out())) && error) {
      error->get_reason(reason.Out());
      error->get_line(&line);
      error->get_linepos(&position);
    }
    std::string message = Utf8(reason);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
      message.pop_back();
    if (message.empty() || message == "error") message = "the file is not well-formed XML";
    if (line > 0) message += " (line " + std::to_string(line) + ", position " + std::to_string(position) + ")";
    throw XmlError(message);
  }
  Com<IXMLDOMElement> root;
  document->get_documentElement(root.Out());
  if (!root) throw XmlError("the file holds no document element");
  return Convert(*root.Get(), depth);
}

std::string WriteXmlDocument(const XmlElement& root) {
  ComApartment com;
  auto document = NewDocument();
  Build(*document.Get(), *document.Get(), root, 0);
  Com<IXMLDOMElement> element;
  document->get_documentElement(element.Out());
  if (!element) throw XmlError("MSXML: the document has no element");
  Bstr xml;
  Check(element->get_xml(xml.Out()), "xml");
  // The text holds no CR of its own (a CR would be written as a character reference), so any CR
  // is the serializer's line end.
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  for (const char c : Utf8(xml))
    if (c != '\r') out += c;
  out += '\n';
  return out;
}

}  // namespace bw::platform
