#pragma once
// The XML preprocessor: the directive elements of a document (conditionals,
// definitions, loops, fragments and inclusion) evaluated against a macro map and
// replaced in place by what they yield.

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include "preprocessor/macro_expander.h"
#include "xml/xml_document.h"

class Diagnostics;
class PreprocessorWalk;

/// Runs the directives of one document. Warnings go to the diagnostics channel as
/// "<file>:<line>: <message>"; none stops the walk.
class XMLPreprocessor {
 public:
  /// Bits of the flags argument of processConditionals.
  enum Flag : unsigned {
    /// Expand the macro references in the attribute values of every element visited.
    ExpandMacros = 1,
  };

  /// document: what is loaded and processed; globalMacros: what every expansion falls
  /// back on; diagnostics: where warnings go (dropped when null). All outlive the
  /// preprocessor.
  XMLPreprocessor(XMLDocument& document, const GlobalMacros& globalMacros, Diagnostics* diagnostics = nullptr);
  ~XMLPreprocessor();

  /// Parses path into the document, then runs the directives with the global macros
  /// plus definitions ("name=value" items separated by ";", backslash escapes the
  /// next character). Throws XMLParseError when the file cannot be read or parsed.
  void load(const QString& path, const QString& definitions = QString(), bool expand = false);
  /// The same for text held in memory, read as if it were the file at path (which need not exist).
  void loadText(std::string_view text, const QString& path, const QString& definitions = QString(),
                bool expand = false);
  /// Processes first and its following siblings in place, in document order. first is the
  /// document element or a node with a parent; directives yield into that parent. filePath is the
  /// file the nodes come from (relative includes are taken from its directory).
  void processConditionals(XMLNode* first, const QString& filePath, MacroTable macros, unsigned flags);

  XMLDocument& document() { return document_; }
  const GlobalMacros& globalMacros() const { return globalMacros_; }
  /// The fragment an "xmldef" registered under name, or null.
  const XMLElement* fragment(const QString& name) const;

  /// Bounds what one run of processConditionals may make (copies, included files, expanded
  /// texts), in bytes of content; the default is defaultWorkLimit. Tests and fuzzing lower it.
  void setWorkLimit(int64_t bytes) { workLimit_ = bytes; }
  int64_t workLimit() const { return workLimit_; }
  /// Real templates and solution files make well below a megabyte; a document that reaches
  /// this has run away, and stopping here keeps the run within about a second.
  static constexpr int64_t defaultWorkLimit = int64_t(64) << 20;
  /// "<file>:<line>" where a run passed the work limit and left the rest of the
  /// document as it stood; empty when none did. Half a document is no document: the
  /// callers end their load there.
  const QString& stoppedAt() const { return stoppedAt_; }

  /// Parses the file an "include" names into a document (throwing XMLParseError).
  /// Reads the file; a fuzz target or a test supplies the content some other way.
  std::function<void(const QString& path, XMLDocument& document)> parseIncludedFile;

 private:
  friend class PreprocessorWalk;
  // The directives of a parsed document, run as load and loadText run them.
  void preprocess(const QString& path, const QString& definitions, bool expand);
  void warn(const QString& file, int line, const QString& message);

  XMLDocument& document_;
  const GlobalMacros& globalMacros_;
  Diagnostics* diagnostics_;
  // Copies of the xmldef elements, which leave the tree when registered.
  std::map<QString, std::unique_ptr<XMLElement>> fragments_;
  int64_t workLimit_ = defaultWorkLimit;
  QString stoppedAt_;
};
