#pragma once
// XML documents that run the preprocessor after parsing: directive elements
// (conditionals, definitions, loops, fragments, inclusion) are evaluated against a
// macro map and replaced in place by what they yield.

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "preprocessor/macro_expander.h"
#include "xml/xml_document.h"

class PreprocessorWalk;

/// A document whose directives are resolved after parsing. Subclasses choose the
/// element class (createElement) and what happens to warnings.
class XMLPreprocessor : public QXMLDocument {
 public:
  /// Bits of the flags argument of processConditionals.
  enum Flag : unsigned {
    /// Expand the macro references in the attribute values of every element visited.
    ExpandMacros = 1,
  };

  /// globalMacros: what every expansion falls back on; it must outlive the document.
  explicit XMLPreprocessor(const GlobalMacros& globalMacros, bool keepData = false);
  ~XMLPreprocessor() override;

  /// Parses path, then runs the directives with the global macros plus definitions ("name=value" items
  /// separated by ";", backslash escapes the next character). False when the file cannot be read or
  /// parsed (errorMessage/errorLine set, nothing preprocessed).
  bool load(const QString& path, const QString& definitions = QString(), bool expand = false);
  /// The same for text held in memory, read as if it were the file at path (which need not exist).
  bool loadText(std::string_view text, const QString& path, const QString& definitions = QString(),
                bool expand = false);
  /// Processes first and its following siblings in place, in document order. first is the
  /// document element or a node with a parent; directives yield into that parent. filePath is the
  /// file the nodes come from (relative includes are taken from its directory).
  void processConditionals(XMLNode* first, const QString& filePath, MacroTable macros, unsigned flags);
  /// Receives every preprocessor warning with where it arose: the file being walked (an
  /// included one, or the path given to load) and the line, counted from 1, of the
  /// directive concerned. None stops the walk.
  virtual void warning(const QString& file, int line, const QString& message) = 0;
  const GlobalMacros& globalMacros() const { return globalMacros_; }

  /// The fragment an "xmldef" registered under name, or null.
  const XMLElement* fragment(const QString& name) const;
  /// Called once when a run of processConditionals passes the work limit, with the file
  /// and line where it stopped; the rest of the document is left as it stands. By default
  /// a warning ("the document grows beyond <limit> bytes; the rest is left unprocessed").
  virtual void workLimitReached(const QString& file, int line);
  /// Bounds what one run of processConditionals may make (copies, included files, expanded
  /// texts), in bytes of content; the default is defaultWorkLimit. Tests and fuzzing lower it.
  void setWorkLimit(int64_t bytes) { workLimit_ = bytes; }
  int64_t workLimit() const { return workLimit_; }
  /// Real templates and solution files make well below a megabyte; a document that reaches
  /// this has run away, and stopping here keeps the run within about a second.
  static constexpr int64_t defaultWorkLimit = int64_t(64) << 20;

 protected:
  /// Parses the file an "include" names into document (whose elements this document makes).
  /// Reads the file; a fuzzer or a test may supply the content some other way.
  virtual bool parseIncludedFile(const QString& path, XMLDocument& document);

 private:
  friend class PreprocessorWalk;
  // The directives of a parsed document, run as load and loadText run them.
  void preprocess(const QString& path, const QString& definitions, bool expand);
  const GlobalMacros& globalMacros_;
  // Copies of the xmldef elements, which leave the tree when registered.
  std::map<QString, std::unique_ptr<XMLElement>> fragments_;
  int64_t workLimit_ = defaultWorkLimit;
};
