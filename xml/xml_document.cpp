#include "xml/xml_document.h"

#include <QFile>
#include <vector>

#include "support/whole_file.h"
#include "xml/utf8_text.h"
#include "xml/xml_parser.h"
#include "xml/xml_writer.h"

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool declaresOtherEncoding(const std::optional<std::string>& encoding) {
  if (!encoding) return false;
  QByteArray name = QByteArray::fromStdString(*encoding).toLower();
  return name != "utf-8" && name != "utf8";
}

// In order through setAttribute, so a repeated name keeps one attribute; one
// without a value stays without.
void copyAttributes(const XMLElement& source, XMLElement& copy) {
  for (const XMLAttribute& attribute : source.attributes()) {
    copy.setAttribute(attribute.name, attribute.value);
    if (attribute.hasValue) continue;
    for (XMLAttribute& copied : copy.attributes())
      if (copied.name == attribute.name) copied.hasValue = false;
  }
}

std::unique_ptr<XMLNode> copyContent(const XMLNode& node) {
  switch (node.nodeKind()) {
    case XMLNodeKind::Element: {
      const auto& source = static_cast<const XMLElement&>(node);
      auto copy = std::make_unique<XMLElement>(source.tagName());
      copyAttributes(source, *copy);
      return copy;
    }
    case XMLNodeKind::Data:
      return std::make_unique<XMLData>(static_cast<const XMLTextNode&>(node).text());
    case XMLNodeKind::Comment:
      return std::make_unique<XMLComment>(static_cast<const XMLTextNode&>(node).text());
    case XMLNodeKind::CDATASection:
      return std::make_unique<XMLCDATASection>(static_cast<const XMLTextNode&>(node).text());
    case XMLNodeKind::Node:
      break;
  }
  return std::make_unique<XMLNode>();
}

// The copy keeps the line of its original, so that what it warns about points there.
std::unique_ptr<XMLNode> copyOne(const XMLNode& node) {
  std::unique_ptr<XMLNode> copy = copyContent(node);
  copy->line = node.line;
  return copy;
}

// Only regular files within the size cap, read without blocking (see readWholeFile).
std::string readRegularFile(const QString& path) {
  const QByteArray localPath = QFile::encodeName(path);
  try {
    const WholeFile file = readWholeFile(localPath.constData());
    return std::string(file.bytes.constData(), size_t(file.bytes.size()));
  } catch (const FileNotRead& failure) {
    const std::string message = failure.reason == FileNotRead::Reason::Unreadable
                                    ? std::string("couldn't read ") + localPath.constData()
                                    : failure.refusal("a templates or solution file").toStdString();
    throw XMLParseError{message, 0, 0, false};
  }
}

}  // namespace

void XMLDocument::parse(std::string_view text) { XMLParser(*this, text).parse(); }

// The parser reads bytes; where the text is UTF-8 by declaration or by default, a
// byte that breaks it is reported where it stands rather than read as something
// it is not.
void XMLDocument::parseFile(const QString& path) {
  const std::string content = readRegularFile(path);
  std::string_view text = content;
  if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
  parse(text);
  if (declaresOtherEncoding(encoding)) return;
  const std::optional<TextPosition> invalid = firstInvalidUtf8(text);
  if (!invalid) return;
  root.reset();
  throw XMLParseError{"invalid UTF-8", int32_t(invalid->line), int32_t(invalid->column)};
}

std::string XMLDocument::toString(uint32_t indent, uint32_t lineWidth) const {
  std::string text;
  XMLWriter(indent, lineWidth, text).writeDocument(*this);
  return text;
}

// Copies in document order with an explicit stack of (next source child, copy parent),
// so deep trees cannot exhaust the call stack.
std::unique_ptr<XMLNode> copyNode(const XMLNode& node) {
  std::unique_ptr<XMLNode> copy = copyOne(node);
  struct Pending {
    const XMLNode* next;
    XMLNode* parent;
  };
  std::vector<Pending> pending{{node.firstChild(), copy.get()}};
  while (!pending.empty()) {
    const XMLNode* source = pending.back().next;
    XMLNode* parent = pending.back().parent;
    if (!source) {
      pending.pop_back();
      continue;
    }
    pending.back().next = source->nextSibling();
    std::unique_ptr<XMLNode> child = copyOne(*source);
    XMLNode* childCopy = child.get();
    parent->appendChild(std::move(child));
    if (source->firstChild()) pending.push_back({source->firstChild(), childCopy});
  }
  return copy;
}

QString attributeValue(const XMLElement& element, const char* name) {
  const std::string* value = element.attribute(name);
  if (value) return QString::fromUtf8(value->data(), qsizetype(value->size()));
  return element.hasAttribute(name) ? QStringLiteral("") : QString();
}
