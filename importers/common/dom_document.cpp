#include "importers/common/dom_document.h"

#include <QXmlStreamReader>
#include <functional>
#include <unordered_set>
#include <utility>
#include <vector>

struct DomNode {
  QString tagName;
  QString firstChildText;
  bool hasFirstChild = false;
  std::vector<std::pair<QString, QString>> attributes;
  std::vector<const DomNode*> children;  // elements only
};

namespace {

// Shares the string of each distinct tag name among all elements that carry it.
// A hashed set, so a file with very many distinct names stays linear.
class TagNames {
 public:
  QString intern(QStringView name) {
    const auto known = names_.find(name);
    return known != names_.end() ? *known : *names_.insert(name.toString()).first;
  }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(QStringView name) const { return qHash(name); }
  };
  std::unordered_set<QString, Hash, std::equal_to<>> names_;
};

}  // namespace

const QString& DomElement::tagName() const {
  static const QString none;
  return node_ ? node_->tagName : none;
}

QString DomElement::attribute(const QString& name) const {
  if (node_) {
    for (const auto& [attributeName, value] : node_->attributes)
      if (attributeName == name) return value;
  }
  return QString();
}

QString DomElement::firstChildText() const { return node_ ? node_->firstChildText : QString(); }

size_t DomElement::childCount() const { return node_ ? node_->children.size() : 0; }

DomElement DomElement::child(size_t index) const { return DomElement(node_->children[index]); }

DomDocument::DomDocument() { nodes_.emplace_back(); }
DomDocument::DomDocument(DomDocument&&) noexcept = default;
DomDocument& DomDocument::operator=(DomDocument&&) noexcept = default;
DomDocument::~DomDocument() = default;

DomNode* DomDocument::newNode(DomNode* parent, QString tagName) {
  DomNode& node = nodes_.emplace_back();
  node.tagName = std::move(tagName);
  parent->hasFirstChild = true;
  parent->children.push_back(&node);
  return &node;
}

bool DomDocument::setContent(const QByteArray& bytes, QString& message, int& line, int& column) {
  QXmlStreamReader reader(bytes);
  reader.setNamespaceProcessing(false);  // tag names stay qualified, as Qt's DOM gives them
  TagNames tagNames;
  std::vector<DomNode*> open{&nodes_.front()};
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement: {
        DomNode* node = newNode(open.back(), tagNames.intern(reader.qualifiedName()));
        for (const QXmlStreamAttribute& attribute : reader.attributes())
          node->attributes.emplace_back(attribute.qualifiedName().toString(), attribute.value().toString());
        open.push_back(node);
        break;
      }
      case QXmlStreamReader::EndElement:
        open.pop_back();
        break;
      case QXmlStreamReader::Characters:
        // Like Qt's DOM, text that trims to nothing (any Unicode space, also from
        // character references) is no node; a CDATA section always is one.
        if (!reader.isCDATA() && reader.text().trimmed().isEmpty()) break;
        if (!open.back()->hasFirstChild) open.back()->firstChildText = reader.text().toString();
        open.back()->hasFirstChild = true;
        break;
      case QXmlStreamReader::Comment:
      case QXmlStreamReader::ProcessingInstruction:
      case QXmlStreamReader::EntityReference:
        open.back()->hasFirstChild = true;
        break;
      default:
        break;
    }
  }
  if (!reader.hasError()) return true;
  message = reader.errorString();
  line = int(reader.lineNumber());
  column = int(reader.columnNumber());
  return false;
}
