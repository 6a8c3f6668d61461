#include "projectsystem/solution_text.h"

#include <string_view>
#include <vector>

#include "projectsystem/model_names.h"
#include "projectsystem/project_element.h"
#include "xml/xml_references.h"

using namespace model_names;

namespace {

// Solution files hold ASCII almost only, so text is copied unit by unit and only
// other text goes through Qt's encoders (property names as Latin-1, values as UTF-8).
void assignEncoded(std::string& bytes, const QString& text, bool latin1) {
  bytes.clear();
  bytes.reserve(size_t(text.size()));
  for (const QChar character : text) {
    if (character.unicode() >= 0x80) {
      const QByteArray encoded = latin1 ? text.toLatin1() : text.toUtf8();
      bytes.assign(encoded.constData(), size_t(encoded.size()));
      return;
    }
    bytes.push_back(char(character.unicode()));
  }
}

// How an element is written: with its children, as a dynamic folder (its settings
// and configurations only) or as a reference to an imported solution.
enum class Form { Plain, DynamicFolder, ImportReference };

// Large enough to make few write calls, small enough not to matter in memory.
constexpr size_t pieceSize = 256 * 1024;

Form formOf(const ProjectElement& element, bool root) {
  if (element.kind() == ProjectElement::Folder && element.hasProperty(pathProperty)) return Form::DynamicFolder;
  if (!root && element.kind() == ProjectElement::Solution && element.imported) return Form::ImportReference;
  return Form::Plain;
}

/// Writes the solution text straight from the model in one walk, with the layout
/// of the project system's XML writer: two blanks per level, one start tag per
/// line, attributes wrapped one per line when the tag is wider than the line width.
/// An explicit stack keeps deeply nested folders off the call stack.
class SolutionTextWriter {
 public:
  /// Without a sink, out receives the whole text; with one, out is a buffer that is
  /// handed to the sink whenever it holds more than a piece.
  SolutionTextWriter(std::string& out, const ByteSink* sink) : out_(out), sink_(sink) {}
  void write(const ProjectElement& solution);

 private:
  struct Attribute {
    std::string name;
    std::string value;
  };
  // An element whose children are being written; next is the next child written.
  struct Open {
    std::string_view tag;
    ProjectElement::ChildIterator next;
    bool configurationsOnly;
  };

  void open(const ProjectElement& element, bool root);
  void collectAttributes(const ProjectElement& element, Form form, bool root);
  void addAttribute(const QString& name, const QString& value);
  void writeStartTag(std::string_view tag, size_t depth);
  void appendValue(std::string_view value);
  bool wrapsAttributes(std::string_view tag, size_t depth) const;
  // The next child of the innermost open element that is written; null when none is left.
  const ProjectElement* nextChild();
  // from, or the first child after it that is written.
  static ProjectElement::ChildIterator firstWritten(ProjectElement::ChildIterator from, bool configurationsOnly);
  void writeIndent(size_t depth) { out_.append(solutionIndent * depth, ' '); }

  void flushPiece(size_t least);

  std::string& out_;
  const ByteSink* sink_;
  std::vector<Open> open_;
  // Reused for every element, so their strings keep their capacity.
  std::vector<Attribute> attributes_;
  size_t attributeCount_ = 0;
};

void SolutionTextWriter::write(const ProjectElement& solution) {
  out_.append("<!DOCTYPE ").append(solutionDoctype).append(">\n");
  open(solution, true);
  while (!open_.empty()) {
    flushPiece(pieceSize);
    if (const ProjectElement* child = nextChild()) {
      open(*child, false);
      continue;
    }
    const std::string_view tag = open_.back().tag;
    open_.pop_back();
    writeIndent(open_.size());
    out_.append("</").append(tag).append(">\n");
  }
  flushPiece(1);
}

void SolutionTextWriter::flushPiece(size_t least) {
  if (!sink_ || out_.size() < least) return;
  (*sink_)(out_);
  out_.clear();
}

ProjectElement::ChildIterator SolutionTextWriter::firstWritten(ProjectElement::ChildIterator from,
                                                             bool configurationsOnly) {
  if (configurationsOnly)
    while (from != ProjectElement::ChildIterator() && (*from)->kind() != ProjectElement::Configuration) ++from;
  return from;
}

const ProjectElement* SolutionTextWriter::nextChild() {
  Open& current = open_.back();
  if (current.next == ProjectElement::ChildIterator()) return nullptr;
  const ProjectElement* child = *current.next;
  current.next = firstWritten(++current.next, current.configurationsOnly);
  return child;
}

void SolutionTextWriter::open(const ProjectElement& element, bool root) {
  const Form form = formOf(element, root);
  const char* kindTag = root ? "solution" : ProjectElement::tagOfKind(element.kind());
  std::string_view tag = kindTag ? std::string_view(kindTag) : std::string_view(element.tagName());
  if (form == Form::ImportReference) tag = "import";
  collectAttributes(element, form, root);
  const size_t depth = open_.size();
  writeStartTag(tag, depth);
  if (form != Form::ImportReference) {
    // An element whose children are all left out is written as empty.
    const bool configurationsOnly = form == Form::DynamicFolder;
    const ProjectElement::ChildIterator first = firstWritten(element.children().begin(), configurationsOnly);
    if (first != ProjectElement::ChildIterator()) {
      open_.push_back(Open{tag, first, configurationsOnly});
      out_.append(">\n");
      return;
    }
  }
  out_.append(attributeCount_ == 0 ? "/>\n" : " />\n");
}

// The properties in key order, less those the file does not hold: an empty "Name",
// a folder's "file_name", and the root's "file_name" when it was imported (its
// reference in the importing file). Dynamic folders keep all of theirs. The root
// always says "target", "8" unless it has one.
void SolutionTextWriter::collectAttributes(const ProjectElement& element, Form form, bool root) {
  attributeCount_ = 0;
  if (form == Form::ImportReference) {
    addAttribute(fileNameProperty, element.property(fileNameProperty));
    return;
  }
  const bool all = form == Form::DynamicFolder;
  const bool addTarget = root && !element.hasProperty(targetProperty);
  bool targetAdded = false;
  const PropertyMap& properties = element.properties();
  for (auto property = properties.cbegin(); property != properties.cend(); ++property) {
    const QString& name = property.key();
    if (addTarget && !targetAdded && !(name < targetProperty)) {
      addAttribute(targetProperty, QStringLiteral("8"));
      targetAdded = true;
    }
    if (!all && name == nameProperty && property.value().isEmpty()) continue;
    if (name == fileNameProperty &&
        ((!all && element.kind() == ProjectElement::Folder) || (root && element.imported)))
      continue;
    addAttribute(name, property.value());
  }
  if (addTarget && !targetAdded) addAttribute(targetProperty, QStringLiteral("8"));
}

void SolutionTextWriter::addAttribute(const QString& name, const QString& value) {
  if (attributeCount_ == attributes_.size()) attributes_.emplace_back();
  Attribute& attribute = attributes_[attributeCount_++];
  assignEncoded(attribute.name, name, true);
  assignEncoded(attribute.value, value, false);
}

void SolutionTextWriter::writeStartTag(std::string_view tag, size_t depth) {
  writeIndent(depth);
  out_.push_back('<');
  out_.append(tag);
  const bool wrap = wrapsAttributes(tag, depth);
  for (size_t i = 0; i < attributeCount_; ++i) {
    if (wrap) {
      out_.push_back('\n');
      writeIndent(depth + 1);
    } else {
      out_.push_back(' ');
    }
    out_.append(attributes_[i].name).append("=\"");
    appendValue(attributes_[i].value);
    out_.push_back('"');
  }
}

// Escaped a piece at a time, each handed on as it fills: a value may be as long
// as the file it came from, and the buffer stays the size of a piece.
void SolutionTextWriter::appendValue(std::string_view value) {
  for (size_t start = 0; start < value.size(); start += pieceSize) {
    appendEscaped(out_, value.substr(start, pieceSize));
    flushPiece(pieceSize);
  }
}

// The start tag's width as the XML writer counts it: indentation, "<" and name, and
// per attribute its name, raw value, blank, "=" and quotes.
bool SolutionTextWriter::wrapsAttributes(std::string_view tag, size_t depth) const {
  if (attributeCount_ < 2) return false;
  uint64_t width = uint64_t{solutionIndent} * depth + tag.size() + 1;
  for (size_t i = 0; i < attributeCount_; ++i) {
    width += attributes_[i].name.size() + attributes_[i].value.size() + 4;
    if (width > solutionLineWidth) return true;
  }
  return false;
}

}  // namespace

std::string solutionText(const ProjectElement& solution) {
  std::string text;
  SolutionTextWriter(text, nullptr).write(solution);
  return text;
}

void writeSolutionText(const ProjectElement& solution, const ByteSink& sink) {
  std::string buffer;
  buffer.reserve(pieceSize + 4096);
  SolutionTextWriter(buffer, &sink).write(solution);
}
