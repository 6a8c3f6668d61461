#include "xml/xml_document.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "xml/atomic_write.h"
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

// The whole stream in one read when its size is known; a stream that cannot seek
// (a pipe) is read in blocks instead. Beyond maximumFileBytes nothing more is
// read: the one byte past it tells the caller the stream was too long.
std::string readWholeStream(std::FILE* stream) {
  std::string content;
  if (std::fseek(stream, 0, SEEK_END) == 0) {
    const long size = std::ftell(stream);
    if (size >= 0 && std::fseek(stream, 0, SEEK_SET) == 0) {
      content.resize(static_cast<size_t>(std::min<long>(size, maximumFileBytes + 1)));
      content.resize(std::fread(content.data(), 1, content.size(), stream));
      return content;
    }
  }
  char block[65536];
  for (size_t count; content.size() <= size_t(maximumFileBytes) && (count = std::fread(block, 1, sizeof block, stream)) > 0;)
    content.append(block, count);
  return content;
}

// In order through setAttribute, so an element subclass sees every attribute; one
// without a value stays without.
void copyAttributes(const XMLElement& source, XMLElement& copy) {
  for (const XMLAttribute& attribute : source.attributes()) {
    copy.setAttribute(attribute.name, attribute.value);
    if (attribute.hasValue) continue;
    for (XMLAttribute& copied : copy.attributes())
      if (copied.name == attribute.name) copied.hasValue = false;
  }
}

std::unique_ptr<XMLNode> copyContent(XMLDocument& document, const XMLNode& node) {
  switch (node.nodeKind()) {
    case XMLNodeKind::Element: {
      const auto& source = static_cast<const XMLElement&>(node);
      std::unique_ptr<XMLElement> copy = document.createElement(source.tagName());
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

std::unique_ptr<XMLNode> copyNode(XMLDocument& document, const XMLNode& node) {
  std::unique_ptr<XMLNode> copy = copyContent(document, node);
  copy->line = node.line;  // so that what a copy warns about points at its original
  return copy;
}

}  // namespace

XMLDocument::~XMLDocument() = default;

std::unique_ptr<XMLElement> XMLDocument::createElement(std::string name) {
  return std::make_unique<XMLElement>(std::move(name));
}

bool XMLDocument::parse(std::string_view text) { return XMLParser(*this, text).parse(); }

bool XMLDocument::parseFile(std::FILE* stream) {
  const std::string content = readWholeStream(stream);
  if (content.size() <= size_t(maximumFileBytes)) return parseText(content, false);
  return refuseFile(WholeFile{WholeFile::Failure::TooLarge}, "stream");
}

bool XMLDocument::parseFile(const char* path) { return readAndParse(path, false); }

bool XMLDocument::parseUtf8File(const char* path) { return readAndParse(path, true); }

// Only regular files within the size cap, read without blocking (see readWholeFile).
bool XMLDocument::readAndParse(const char* path, bool utf8) {
  const WholeFile file = readWholeFile(path);
  if (file.failure != WholeFile::Failure::None) return refuseFile(file, path);
  return parseText(std::string_view(file.bytes.constData(), size_t(file.bytes.size())), utf8);
}

bool XMLDocument::refuseFile(const WholeFile& file, const char* path) {
  readFailure = file.failure;
  errorMessage = file.failure == WholeFile::Failure::Unreadable ? std::string("couldn't read ") + path
                                                                : file.refusal("a templates or solution file").toStdString();
  errorLine = 0;
  errorColumn = 0;
  return false;
}

// The parser reads bytes; where the text is UTF-8 by declaration or by default, a
// byte that breaks it is reported where it stands rather than read as something
// it is not.
bool XMLDocument::parseText(std::string_view text, bool utf8) {
  readFailure = WholeFile::Failure::None;
  if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
  if (!parse(text)) return false;
  if (!utf8 || declaresOtherEncoding(encoding)) return true;
  const std::optional<TextPosition> invalid = firstInvalidUtf8(text);
  if (!invalid) return true;
  root.reset();
  errorMessage = "invalid UTF-8";
  errorLine = int32_t(invalid->line);
  errorColumn = int32_t(invalid->column);
  return false;
}

bool XMLDocument::write(std::FILE* stream, uint32_t indent, uint32_t lineWidth) const {
  const std::string text = toString(indent, lineWidth);
  std::fwrite(text.data(), 1, text.size(), stream);
  return true;
}

std::string XMLDocument::toString(uint32_t indent, uint32_t lineWidth) const {
  std::string text;
  XMLWriter(indent, lineWidth, text).writeDocument(*this);
  return text;
}

bool QXMLDocument::load(const QString& path) { return parseUtf8File(QFile::encodeName(path).constData()); }

bool QXMLDocument::save(const QString& path, uint32_t indent, uint32_t lineWidth) {
  this->indent = indent;
  this->lineWidth = lineWidth;
  const QByteArray localPath = QFile::encodeName(path);
  if (writeFileAtomically(localPath.constData(), toString(indent, lineWidth), saveErrorReason)) return true;
  errorMessage = std::string("couldn't write ") + localPath.constData();
  return false;
}

// Copies in document order with an explicit stack of (next source child, copy parent),
// so deep trees cannot exhaust the call stack.
std::unique_ptr<XMLNode> importNode(XMLDocument& document, const XMLNode& node) {
  std::unique_ptr<XMLNode> copy = copyNode(document, node);
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
    std::unique_ptr<XMLNode> child = copyNode(document, *source);
    XMLNode* childCopy = child.get();
    parent->appendChild(std::move(child));
    if (source->firstChild()) pending.push_back({source->firstChild(), childCopy});
  }
  return copy;
}

XMLNode* importNode(XMLDocument& document, const XMLNode& node, XMLNode& parent) {
  std::unique_ptr<XMLNode> copy = importNode(document, node);
  XMLNode* copied = copy.get();
  parent.appendChild(std::move(copy));
  return copied;
}

QString attributeValue(const XMLElement& element, const char* name) {
  const std::string* value = element.attribute(name);
  if (value) return QString::fromUtf8(value->data(), qsizetype(value->size()));
  return element.hasAttribute(name) ? QStringLiteral("") : QString();
}
