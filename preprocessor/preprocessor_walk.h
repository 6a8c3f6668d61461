#pragma once
// One run of the XML preprocessor over a document: the walk over sibling chains, the
// directives, and the bounds that keep any input from hanging or exhausting memory.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "preprocessor/expression_parser.h"
#include "preprocessor/macro_expander.h"
#include "xml/xml_node.h"

class XMLPreprocessor;

/// Walks nodes of a document, evaluates every directive against a macro map and
/// replaces it in place by what it yields. Lives for one processConditionals call.
class PreprocessorWalk {
 public:
  // Bounds of one run (a run is one processConditionals call, includes and all).
  /// Levels of nested walking (element nesting, directive bodies, includes, puts).
  static constexpr int maximumNesting = 256;
  /// Iterations of one "for" or "foreach".
  static constexpr int64_t maximumIterations = 65536;
  /// What one made node is charged, besides its strings, against the document's work limit.
  static constexpr int64_t nodeCost = 128;
  /// What finding and reading one included file is charged, besides its size and nodes.
  static constexpr int64_t includeCost = 4096;

  PreprocessorWalk(XMLPreprocessor& preprocessor, const QString& filePath);

  /// Processes the document element, which has no parent to yield into.
  void processRoot(MacroTable macros, unsigned flags);
  /// Processes first (which has a parent) and its following siblings, in order; their
  /// parent takes what directives yield.
  void walk(XMLNode* first, MacroTable& macros, unsigned flags);
  /// Walks the children of parent with its own copy of the map (the nesting bound applies).
  void walkChildren(XMLNode& parent, MacroTable macros, unsigned flags);

 private:
  enum class Action {
    Keep,     // an ordinary element: its children are walked
    Replace,  // content (already walked) takes the directive's place; the directive is destroyed
    Repeat,   // a loop's copies take its place and are walked next at this level; it is destroyed
    Leave,    // left as it stands, not walked (a bound was reached)
  };
  struct Outcome {
    Action action;
    std::unique_ptr<XMLNode> content;
  };
  using Handler = Outcome (PreprocessorWalk::*)(XMLElement&, MacroTable&, unsigned);
  struct Directive {
    const char* name;
    Handler handle;
  };
  static const Directive directives[];
  static Handler directiveFor(const std::string& tagName);

  Outcome processElement(XMLElement& element, MacroTable& macros, unsigned flags);
  void expandAttributes(XMLElement& element, const MacroTable& macros);
  // Walks the children of parent and hands them over as one chain.
  std::unique_ptr<XMLNode> walkAndTake(XMLNode& parent, const MacroTable& macros, unsigned flags);
  Outcome yieldChildrenIf(bool condition, XMLElement& element, const MacroTable& macros, unsigned flags);

  // preprocessor_conditionals.cpp
  Outcome processIf(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processIfnot(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processIfex(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processIfdef(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processIfndef(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processSwitch(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processDefine(XMLElement& element, MacroTable& macros, unsigned flags);
  // Sets holds to whether the one attribute's macro value is among its listed values;
  // false when the element has not exactly one attribute.
  bool listedCondition(XMLElement& element, MacroTable& macros, bool& holds);

  // preprocessor_loops.cpp
  Outcome processFor(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processForeach(XMLElement& element, MacroTable& macros, unsigned flags);
  // The loop body copied once per iteration, with the references to that iteration's
  // bindings expanded.
  Outcome repeatBody(const XMLElement& loop, uint64_t iterations, const std::function<MacroTable(uint64_t)>& bindings);
  std::unique_ptr<XMLNode> copyExpanded(const XMLNode& source, const MacroTable& bindings);

  // preprocessor_fragments.cpp
  Outcome processXmldef(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processXmlput(XMLElement& element, MacroTable& macros, unsigned flags);
  Outcome processInclude(XMLElement& element, MacroTable& macros, unsigned flags);
  // A copy of macros with the definitions of a "macros" attribute added.
  MacroTable withDefinitions(const MacroTable& macros, const XMLElement& element);
  std::unique_ptr<XMLNode> walkIncluded(std::unique_ptr<XMLElement> included, bool childrenOnly,
                                        const MacroTable& macros, unsigned flags);

  // Bounds and helpers shared by the directives.
  /// Charges bytes of made content; false once the document's work limit is passed (the
  /// walk then stops, leaving the rest as it stands, with one warning).
  bool spend(int64_t bytes);
  /// What a subtree costs to copy.
  static int64_t costOf(const XMLNode& node);
  /// expand with the map and the document's global macros, charged.
  QString expandText(const QString& text, const MacroTable& macros);
  /// Sets a macro, charging the copy of a map that another scope shares.
  void setMacro(MacroTable& macros, const QString& name, const QString& value);
  void warn(const QString& message);
  /// The line, counted from 1, of the element being processed.
  int currentLine() const;

  XMLPreprocessor& preprocessor_;
  ExpressionParser expressions_;
  QString currentFile_;
  const XMLNode* currentNode_ = nullptr;  // the element being processed: where a warning arises
  QStringList includeStack_;              // fileIdentity of the files being walked, outermost first
  QStringList putStack_;                  // names of the fragments being put, outermost first
  int nesting_ = 0;
  int64_t spent_ = 0;
  bool stopped_ = false;
  bool nestingWarned_ = false;
};

/// The path that tells whether two names are the same file: symbolic links resolved when
/// the file exists, so a cycle through a link is found too; else the cleaned absolute path.
QString fileIdentity(const QString& path);
