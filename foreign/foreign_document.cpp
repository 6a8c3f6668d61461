#include "foreign/foreign_document.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

#include "foreign/foreign_parser.h"
#include "foreign/foreign_storage.h"
#include "xml/utf8_text.h"

namespace {

std::string_view view(const QByteArray& bytes) { return std::string_view(bytes.constData(), size_t(bytes.size())); }

QString longValueMessage() {
  return QStringLiteral("a value longer than %1 MiB, more than any workspace or project file holds")
      .arg(maximumValueBytes >> 20);
}

// A value longer than maximumValueBytes ends the reading with an error at its place.
// UTF-16 units never outnumber UTF-8 bytes, so only a value near the limit is converted.
bool isWithinLimit(QXmlStreamReader& reader, QStringView value) {
  if (size_t(value.size()) <= maximumValueBytes &&
      (size_t(value.size()) * 3 <= maximumValueBytes || size_t(value.toUtf8().size()) <= maximumValueBytes))
    return true;
  reader.raiseError(longValueMessage());
  return false;
}

// Single-byte encodings that older uVision and IAR files declare. Their bytes
// are converted to UTF-8 for the fast path; any other declared encoding is left
// to the stream reader.
bool isSingleByteEncoding(const QString& name) {
  static const QStringList prefixes{QStringLiteral("iso-8859-"), QStringLiteral("windows-125"),
                                    QStringLiteral("cp125")};
  if (QStringConverter::encodingForName(name.toLatin1().constData()) == QStringConverter::Latin1) return true;
  for (const QString& prefix : prefixes)
    if (name.startsWith(prefix, Qt::CaseInsensitive) && name.size() <= prefix.size() + 2) return true;
  return false;
}

// The bytes as UTF-8, as the stream reader would decode them; nullopt when the
// declared encoding is not one the fast path takes or the bytes do not decode cleanly.
std::optional<QByteArray> asUtf8(const QByteArray& bytes, std::string_view encoding) {
  if (encoding.empty()) return bytes;
  const QString name = QString::fromLatin1(encoding.data(), qsizetype(encoding.size()));
  if (QStringConverter::encodingForName(name.toLatin1().constData()) == QStringConverter::Utf8) return bytes;
  if (bytes.startsWith("\xEF\xBB\xBF") || !isSingleByteEncoding(name)) return std::nullopt;
  QStringDecoder decoder(name.toLatin1().constData());
  if (!decoder.isValid()) return std::nullopt;
  const QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text.toUtf8();
}

// Files padded after their document element (a tool that wrote a fixed-size
// buffer: thousands of NUL bytes after the root) are read as the IDE reads
// them. Only trailing NULs and XML white space go, and only where a NUL is
// among them; a UTF-16 file, where NUL bytes belong to the text, stays whole.
QByteArray withoutTrailingPadding(const QByteArray& bytes) {
  if (bytes.size() < 2 || bytes[0] == '\0' || bytes[1] == '\0' || bytes.startsWith("\xFF\xFE") ||
      bytes.startsWith("\xFE\xFF"))
    return bytes;
  qsizetype end = bytes.size();
  bool padded = false;
  for (; end > 0; --end) {
    const char byte = bytes[end - 1];
    if (byte == '\0')
      padded = true;
    else if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n')
      break;
  }
  return padded ? bytes.first(end) : bytes;
}

}  // namespace

const QString& ForeignElement::tagName() const {
  static const QString none;
  return node_ ? node_->name->name : none;
}

bool ForeignElement::hasTagName(QAnyStringView name) const {
  return name.visit([this](auto view) {
    if constexpr (std::is_same_v<decltype(view), QStringView>) {
      return tagName() == view;
    } else {
      const std::string_view bytes = node_ ? node_->name->bytes : std::string_view();
      return bytes.size() == size_t(view.size()) &&
             sameBytes(bytes.data(), reinterpret_cast<const char*>(view.data()), bytes.size());
    }
  });
}

QString ForeignElement::attribute(const QString& name) const {
  for (size_t i = 0; i < attributeCount(); ++i)
    if (attributeName(i) == name) return attributeValue(i);
  return QString();
}

const QString& ForeignElement::attributeName(size_t index) const {
  return *node_->name->storage->attribute(node_->firstAttribute + index).name;
}

QString ForeignElement::attributeValue(size_t index) const {
  const ForeignAttribute& attribute = node_->name->storage->attribute(node_->firstAttribute + index);
  return decodeUtf8(attribute.value, attribute.valueSize);
}

QString ForeignElement::firstChildText() const {
  if (!node_) return QString();
  if (node_->textIsAscii) return QString::fromLatin1(node_->text, qsizetype(node_->textSize));
  return decodeUtf8(node_->text, node_->textSize);
}

int ForeignElement::line() const { return node_ ? node_->name->storage->line(*node_) : 0; }

ForeignDocument::ForeignDocument() : storage_(std::make_unique<ForeignStorage>()) { storage_->finish(); }
ForeignDocument::ForeignDocument(ForeignDocument&&) noexcept = default;
ForeignDocument& ForeignDocument::operator=(ForeignDocument&&) noexcept = default;
ForeignDocument::~ForeignDocument() = default;

ForeignDocument::operator ForeignElement() const { return ForeignElement(&storage_->document()); }

/// What the fast path made: the document, or where it met a value longer than
/// maximumValueBytes when that is why it gave up.
struct ForeignDocument::FastParse {
  std::optional<ForeignDocument> document;
  std::optional<TextPosition> longValue;
};

// A value too long is reported where the fast path met it: the stream reader
// would first read all of it.
ForeignDocument ForeignDocument::parse(const QByteArray& bytes) {
  const QByteArray content = withoutTrailingPadding(bytes);
  FastParse fast = parseFastPath(content);
  if (fast.document) return std::move(*fast.document);
  if (const std::optional<TextPosition>& at = fast.longValue)
    throw ForeignParseError{longValueMessage(), int(at->line) + 1, int(at->column)};
  return parseWithStreamReader(content);
}

std::optional<ForeignDocument> ForeignDocument::parseFast(const QByteArray& bytes) {
  return std::move(parseFastPath(bytes).document);
}

ForeignDocument::FastParse ForeignDocument::parseFastPath(const QByteArray& bytes) {
  const std::string_view encoding = declaredEncoding(view(bytes));
  std::optional<QByteArray> utf8 = asUtf8(bytes, encoding);
  if (!utf8) return {};
  auto storage = std::make_unique<ForeignStorage>(std::move(*utf8));
  if (!parseUtf8Elements(*storage, encoding)) {
    if (!storage->longValueAt) return {};
    return {std::nullopt, textPositionAt(view(storage->source()), *storage->longValueAt)};
  }
  storage->finish();
  ForeignDocument document;
  document.storage_ = std::move(storage);
  return {std::move(document), std::nullopt};
}

ForeignDocument ForeignDocument::parseWithStreamReader(const QByteArray& bytes) {
  ForeignDocument document;
  document.storage_ = std::make_unique<ForeignStorage>();
  ForeignStorage& storage = *document.storage_;
  // Read through a device, a block at a time: given the bytes, the reader would
  // decode all of them at once, twice their size again.
  QBuffer device;
  device.setData(bytes);
  device.open(QIODevice::ReadOnly);
  QXmlStreamReader reader(&device);
  reader.setNamespaceProcessing(false);  // tag names stay qualified, as Qt's DOM gives them
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement:
        storage.startElement(view(reader.qualifiedName().toUtf8()));
        storage.setStartTagEnd(uint32_t(reader.lineNumber()));
        for (const QXmlStreamAttribute& attribute : reader.attributes())
          if (isWithinLimit(reader, attribute.value()))
            storage.addAttribute(view(attribute.qualifiedName().toUtf8()),
                                 storage.keep(view(attribute.value().toUtf8())));
        break;
      case QXmlStreamReader::EndElement:
        storage.endElement();
        break;
      case QXmlStreamReader::Characters:
        // Like Qt's DOM, text that trims to nothing (any Unicode space, also from
        // character references) is no node; a CDATA section always is one.
        if (!reader.isCDATA() && reader.text().trimmed().isEmpty()) break;
        if (isWithinLimit(reader, reader.text())) {
          // Only ASCII text has as many UTF-8 bytes as UTF-16 units.
          const QByteArray text = reader.text().toUtf8();
          storage.addText(storage.keep(view(text)), text.size() == reader.text().size());
        }
        break;
      case QXmlStreamReader::Comment:
      case QXmlStreamReader::ProcessingInstruction:
      case QXmlStreamReader::EntityReference:
        storage.addOtherChild();
        break;
      default:
        break;
    }
  }
  storage.finish();
  if (!reader.hasError()) return document;
  // The reader decodes ahead and blames the declaration for a byte that breaks
  // UTF-8 anywhere: the byte's own place tells the user what to fix.
  const std::string_view encoding = declaredEncoding(view(bytes));
  if (encoding.empty() || QStringConverter::encodingForName(std::string(encoding).c_str()) == QStringConverter::Utf8) {
    if (const std::optional<TextPosition> invalid = firstInvalidUtf8(view(bytes)))
      throw ForeignParseError{QStringLiteral("invalid UTF-8"), int(invalid->line) + 1, int(invalid->column)};
  }
  throw ForeignParseError{reader.errorString(), int(reader.lineNumber()), int(reader.columnNumber())};
}
