#include "solution/solution_writer.h"

#include <QDir>
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/model_names.h"
#include "model/model_node.h"
#include "xml/xml_writer.h"

using namespace model_names;

namespace {

// Solution files hold ASCII almost only: text is narrowed in one pass that
// notes whether any unit was not ASCII, and only such text goes through Qt's
// encoders (property names as Latin-1, values as UTF-8). Eight units at a time
// where SSE2 is there: a block is packed to bytes whole, and whether it held a
// unit from 0x80 on is kept for the end.
void assignEncoded(std::string& bytes, const QString& text, bool latin1) {
  const size_t size = size_t(text.size());
  bytes.resize(size);
  const char16_t* units = QStringView(text).utf16();
  char* out = bytes.data();
  size_t i = 0;
  char16_t seen = 0;
#if defined(__SSE2__)
  __m128i seenBlocks = _mm_setzero_si128();
  for (; i + 8 <= size; i += 8) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    seenBlocks = _mm_or_si128(seenBlocks, block);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(block, block));
  }
  // Any bit from 0x80 up in any unit of the blocks.
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(seenBlocks, _mm_set1_epi16(-0x80)), _mm_setzero_si128())) !=
      0xFFFF)
    seen = 0x80;
#endif
  for (; i < size; ++i) {
    seen |= units[i];
    out[i] = char(units[i]);
  }
  if (seen < 0x80) return;
  const QByteArray encoded = latin1 ? text.toLatin1() : text.toUtf8();
  bytes.assign(encoded.constData(), size_t(encoded.size()));
}

// Elements of a kind share their names' strings: a name is encoded again only
// when it is another string than the one encodedFrom holds (the copy kept there
// keeps the compared data alive).
void encodeName(const QString& name, QString& encodedFrom, std::string& bytes) {
  if (encodedFrom.constData() == name.constData() && encodedFrom.size() == name.size()) return;
  assignEncoded(bytes, name, true);
  encodedFrom = name;
}

// How an element is written: with its children, as a dynamic folder (its settings
// and configurations only) or as a reference to an imported solution.
enum class Form { Plain, DynamicFolder, ImportReference };

// Large enough to make few write calls (a write of 64 KiB costs the kernel far
// more than the call), small enough not to matter in memory.
constexpr size_t pieceSize = 64 * 1024;

Form formOf(const ModelNode& element, bool root) {
  if (element.kind() == ModelNode::Folder && element.hasProperty(pathProperty)) return Form::DynamicFolder;
  if (!root && element.kind() == ModelNode::Solution && element.imported) return Form::ImportReference;
  return Form::Plain;
}

/// Writes the solution text straight from the model in one walk, through the XML
/// writer. An explicit stack keeps deeply nested folders off the call stack.
class SolutionTextWriter {
 public:
  /// Without a sink, out receives the whole text; with one, out is a buffer that is
  /// handed to the sink whenever it holds more than a piece. file, where the sink
  /// writes to one, keeps the text set aside (setAsideItems).
  SolutionTextWriter(std::string& out, const ByteSink* sink, AtomicFile* file = nullptr)
      : out_(out), sink_(sink), file_(file), xml_(solutionIndent, solutionLineWidth, out) {
    // A value may be as long as the file it came from: handed on as it fills, it
    // keeps the buffer the size of a piece.
    if (sink_) xml_.setValueSpill(pieceSize, [this] { flushPiece(pieceSize); });
  }
  /// The whole solution.
  void write(const ModelNode& solution);

  // The same text in parts, for a solution written while it is built.
  /// The DOCTYPE line and the start tag of solution, which has a child by now.
  void writeSolutionStart(const ModelNode& solution);
  /// A child of the root solution and everything under it.
  void writeSolutionChild(const ModelNode& child) { writeElement(child, false, 1); }
  /// The children the root solution still holds, its end tag, and the last bytes.
  void writeSolutionEnd(const ModelNode& solution);
  /// Writes the children of project that are no configurations to text, which is
  /// written after its other children when the project is (see
  /// SolutionStream::setAsideItems); false, writing nothing, where a configuration
  /// follows one of them, there are none, or there is no file to keep them.
  bool setAsideItems(const ModelNode& project);

 private:
  // An element whose children are being written; next is the next child written.
  struct Open {
    std::string_view tag;
    ModelNode::ChildIterator next;
    ModelNode::ChildIterator end;
    bool configurationsOnly;
    AtomicFile::Kept asideText;  // written after the children (setAsideItems)
  };

  // element and everything under it, its start tag at depth.
  void writeElement(const ModelNode& element, bool root, size_t depth);
  void open(const ModelNode& element, bool root);
  bool writtenAsFile(const ModelNode& element);
  void writeStartTag(std::string_view tag, size_t depth, XMLWriter::TagEnd end);
  void collectAttributes(const ModelNode& element, Form form, bool root);
  void addAttribute(const QString& name, const QString& value) { properties_.push_back({&name, &value}); }
  // The next child of the innermost open element that is written; null when none is left.
  const ModelNode* nextChild();
  // from, or the first child after it that is written.
  static ModelNode::ChildIterator firstWritten(ModelNode::ChildIterator from, ModelNode::ChildIterator end,
                                               bool configurationsOnly);
  void flushPiece(size_t least);
  void writeAsideText(const AtomicFile::Kept& text);

  std::string& out_;
  const ByteSink* sink_;
  AtomicFile* file_;
  XMLWriter xml_;
  std::vector<Open> open_;
  size_t depth_ = 0;  // of the element open_ starts with
  // The element's attributes as properties, then as written. Reused for every
  // element, so their strings keep their capacity.
  struct Property {
    const QString* name;
    const QString* value;
  };
  std::vector<Property> properties_;
  std::vector<XMLAttribute> attributes_;
  std::vector<QString> encodedNames_;  // the name each slot of attributes_ holds
  // The children set aside as text, by the element that held them.
  std::unordered_map<const ModelNode*, AtomicFile::Kept> asideText_;
  // The name of a file's one property, as written, and the string it was encoded from.
  std::string fileAttributeName_;
  QString fileAttributeSource_;
};

// Values written where the model holds none, kept so that an attribute can point at them.
const QString targetDefault = QStringLiteral("8");
const QString noValue;

void SolutionTextWriter::write(const ModelNode& solution) {
  xml_.writeDoctype(solutionDoctype);
  writeElement(solution, true, 0);
  flushPiece(1);
}

void SolutionTextWriter::writeSolutionStart(const ModelNode& solution) {
  xml_.writeDoctype(solutionDoctype);
  depth_ = 0;
  open(solution, true);
  open_.clear();  // its children come one by one, as they are complete
}

void SolutionTextWriter::writeSolutionEnd(const ModelNode& solution) {
  for (const ModelNode* child : solution.children()) writeSolutionChild(*child);
  xml_.writeEndTag("solution", 0);
  out_.push_back('\n');
  flushPiece(1);
}

void SolutionTextWriter::writeElement(const ModelNode& element, bool root, size_t depth) {
  depth_ = depth;
  open(element, root);
  while (!open_.empty()) {
    flushPiece(pieceSize);
    if (const ModelNode* child = nextChild()) {
      open(*child, false);
      continue;
    }
    const std::string_view tag = open_.back().tag;
    writeAsideText(open_.back().asideText);
    open_.pop_back();
    xml_.writeEndTag(tag, depth_ + open_.size());
    out_.push_back('\n');
  }
}

// Text set aside goes to the file as it is, after what the buffer holds.
void SolutionTextWriter::writeAsideText(const AtomicFile::Kept& text) {
  if (text.length == 0) return;
  flushPiece(1);
  file_->writeKept(text);
}

void SolutionTextWriter::flushPiece(size_t least) {
  if (!sink_ || out_.size() < least) return;
  (*sink_)(out_);
  out_.clear();
}

ModelNode::ChildIterator SolutionTextWriter::firstWritten(ModelNode::ChildIterator from, ModelNode::ChildIterator end,
                                                          bool configurationsOnly) {
  if (configurationsOnly)
    while (from != end && (*from)->kind() != ModelNode::Configuration) ++from;
  return from;
}

const ModelNode* SolutionTextWriter::nextChild() {
  Open& current = open_.back();
  if (current.next == current.end) return nullptr;
  const ModelNode* child = *current.next;
  current.next = firstWritten(++current.next, current.end, current.configurationsOnly);
  return child;
}

void SolutionTextWriter::open(const ModelNode& element, bool root) {
  if (!root && writtenAsFile(element)) return;
  const Form form = formOf(element, root);
  std::string_view tag = root ? "solution" : element.tagName();
  if (form == Form::ImportReference) tag = "import";
  collectAttributes(element, form, root);
  // An element whose children are all left out is written as empty.
  const bool configurationsOnly = form == Form::DynamicFolder;
  const ModelNode::ChildRange children = element.children();
  const ModelNode::ChildIterator first = form == Form::ImportReference
                                             ? children.end()
                                             : firstWritten(children.begin(), children.end(), configurationsOnly);
  AtomicFile::Kept asideText;
  if (const auto aside = asideText_.find(&element); aside != asideText_.end()) {
    asideText = aside->second;
    asideText_.erase(aside);
  }
  const bool hasChildren = first != children.end() || asideText.length > 0;
  writeStartTag(tag, depth_ + open_.size(), hasChildren ? XMLWriter::TagEnd::Children : XMLWriter::TagEnd::Empty);
  if (hasChildren) open_.push_back(Open{tag, first, children.end(), configurationsOnly, asideText});
}

bool SolutionTextWriter::setAsideItems(const ModelNode& project) {
  const ModelNode::ChildRange children = project.children();
  const auto isConfiguration = [](const ModelNode* child) { return child->kind() == ModelNode::Configuration; };
  const ModelNode::ChildIterator items = std::find_if_not(children.begin(), children.end(), isConfiguration);
  if (!file_ || items == children.end() || std::any_of(items, children.end(), isConfiguration)) return false;
  // Kept on the disk as the pieces are handed on: the projects that wait may hold
  // most of a workspace's text.
  AtomicFile::Kept& text = asideText_[&project];
  const ByteSink keep = [this, &text](std::string_view piece) { file_->keep(piece, text); };
  std::string buffer;
  SolutionTextWriter writer(buffer, &keep);
  constexpr size_t itemDepth = 2;  // under the root solution and the project
  for (ModelNode::ChildIterator item = items; item != children.end(); ++item)
    writer.writeElement(**item, false, itemDepth);
  writer.flushPiece(1);
  return true;
}

// Most elements are files of one property, their path, and no children: such a
// file is written without a list of its attributes.
bool SolutionTextWriter::writtenAsFile(const ModelNode& element) {
  const PropertyMap& properties = element.properties();
  if (element.kind() != ModelNode::File || properties.size() != 1 || element.hasChildren()) return false;
  const auto property = properties.cbegin();
  if (property.value().isEmpty() && property.key() == nameProperty) return false;
  encodeName(property.key(), fileAttributeSource_, fileAttributeName_);
  return xml_.writeStartTag("file", fileAttributeName_, property.value(), depth_ + open_.size(),
                            XMLWriter::TagEnd::Empty);
}

// An element of one attribute has its value written straight from the model
// where it is printable ASCII.
void SolutionTextWriter::writeStartTag(std::string_view tag, size_t depth, XMLWriter::TagEnd end) {
  const size_t count = properties_.size();
  if (attributes_.size() < count) attributes_.resize(count);
  if (encodedNames_.size() < count) encodedNames_.resize(count);
  for (size_t slot = 0; slot < count; ++slot)
    encodeName(*properties_[slot].name, encodedNames_[slot], attributes_[slot].name);
  if (count == 1 && xml_.writeStartTag(tag, attributes_[0].name, *properties_[0].value, depth, end)) return;
  for (size_t slot = 0; slot < count; ++slot) assignEncoded(attributes_[slot].value, *properties_[slot].value, false);
  xml_.writeStartTag(tag, std::span<const XMLAttribute>(attributes_.data(), count), depth, end);
}

// The properties in key order, less those the file does not hold: an empty "Name",
// a folder's "file_name", and the root's "file_name" when it was imported (its
// reference in the importing file). Dynamic folders keep all of theirs. The root
// always says "target", "8" unless it has one.
void SolutionTextWriter::collectAttributes(const ModelNode& element, Form form, bool root) {
  properties_.clear();
  if (form == Form::ImportReference) {
    const auto fileName = element.properties().constFind(fileNameProperty);
    addAttribute(fileNameProperty, fileName == element.properties().cend() ? noValue : *fileName);
    return;
  }
  const bool all = form == Form::DynamicFolder;
  const bool addTarget = root && !element.hasProperty(targetProperty);
  bool targetAdded = false;
  const PropertyMap& properties = element.properties();
  for (auto property = properties.cbegin(); property != properties.cend(); ++property) {
    const QString& name = property.key();
    if (addTarget && !targetAdded && !(name < targetProperty)) {
      addAttribute(targetProperty, targetDefault);
      targetAdded = true;
    }
    // The flags are tested before the names: most elements written are files.
    if (!all && property.value().isEmpty() && name == nameProperty) continue;
    if (((!all && element.kind() == ModelNode::Folder) || (root && element.imported)) && name == fileNameProperty)
      continue;
    addAttribute(name, property.value());
  }
  if (addTarget && !targetAdded) addAttribute(targetProperty, targetDefault);
}

}  // namespace

std::string solutionText(const ModelNode& solution) {
  std::string text;
  SolutionTextWriter(text, nullptr).write(solution);
  return text;
}

void writeSolutionText(const ModelNode& solution, const ByteSink& sink) {
  std::string buffer;
  buffer.reserve(pieceSize + 4096);
  SolutionTextWriter(buffer, &sink).write(solution);
}

void saveSolution(const ModelNode& solution) {
  // A directory that cannot be made shows in the reason the write gives.
  const Path& file = solution.solutionFile();
  QDir().mkpath(file.absoluteDirectory());
  writeFileAtomically(file.path(), [&solution](const ByteSink& sink) { writeSolutionText(solution, sink); });
}

/// The file being written and the text writer that fills it through its buffer.
struct SolutionStream::Writing {
  explicit Writing(const QString& path) : file(path) { buffer.reserve(pieceSize + 4096); }

  AtomicFile file;
  ByteSink sink = [this](std::string_view bytes) { file.write(bytes); };
  std::string buffer;
  SolutionTextWriter text{buffer, &sink, &file};
};

SolutionStream::SolutionStream() = default;
SolutionStream::~SolutionStream() = default;

bool SolutionStream::writeProject(const ModelNode& project) {
  const ModelNode* solution = project.parent();
  if (!solution || *solution->children().begin() != &project) return false;
  try {
    if (state_ == State::NotStarted) start(*solution);
    if (state_ != State::Streaming) return false;
    writing_->text.writeSolutionChild(project);
    return true;
  } catch (const ConversionError& error) {
    fail(error);
    return false;
  }
}

// A write that failed is reported when the solution is saved; nothing more is written.
void SolutionStream::fail(const ConversionError& error) {
  error_ = error;
  state_ = State::Failed;
  writing_.reset();
}

// The file is opened once the solution has a child, when its start tag can be
// finished. A file that cannot be opened now is left to saveSolution, which
// reports the failure where and as a solution written whole does; so is one that
// would be named while it is written, since it would show among the files the
// reader is still listing.
void SolutionStream::start(const ModelNode& solution) {
  state_ = State::Declined;
  try {
    writing_ = std::make_unique<Writing>(solution.solutionFile().path());
  } catch (const ConversionError&) {
    return;
  }
  if (!writing_->file.isUnnamed()) {
    writing_.reset();
    return;
  }
  writing_->text.writeSolutionStart(solution);
  state_ = State::Streaming;
}

bool SolutionStream::setAsideItems(const ModelNode& project) {
  const ModelNode* solution = project.parent();
  if (!solution || state_ == State::Declined || state_ == State::Failed) return false;
  try {
    if (state_ == State::NotStarted) start(*solution);
    return state_ == State::Streaming && writing_->text.setAsideItems(project);
  } catch (const ConversionError& error) {
    fail(error);
    return false;
  }
}

void SolutionStream::save(const ModelNode& solution) {
  if (error_) throw *error_;
  if (state_ != State::Streaming) {
    saveSolution(solution);
    return;
  }
  writing_->text.writeSolutionEnd(solution);
  writing_->file.commit();
  writing_.reset();
}
