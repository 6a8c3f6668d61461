#pragma once
// The property the XML preprocessor must keep for any document, shared by the fuzz
// target and the test that replays its corpus: preprocessing ends without a crash,
// leaves a consistent tree, and grows it no further than the work limit allows.
// Every include reads the input itself, so inclusion stays confined to it.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "preprocessor/preprocessor_walk.h"
#include "preprocessor/xml_preprocessor.h"

namespace preprocessor_check {

/// Small, so that inputs which reach the limit are still fast to run.
constexpr int64_t workLimit = int64_t(1) << 20;

inline const GlobalMacros noGlobalMacros;

/// Nodes of the tree under root; failure is set when a child's parent link is wrong.
inline int64_t countNodes(const XMLNode& root, std::string& failure) {
  int64_t count = 0;
  std::vector<const XMLNode*> pending{&root};
  while (!pending.empty()) {
    const XMLNode* node = pending.back();
    pending.pop_back();
    ++count;
    for (const XMLNode* child = node->firstChild(); child; child = child->nextSibling()) {
      if (child->parent() != node) failure = "a child's parent link is wrong";
      pending.push_back(child);
    }
  }
  return count;
}

/// An empty string when the property holds, else what went wrong. Runs without and
/// with the expand flag, in a directory that does not exist, so relative includes
/// name no real file.
inline std::string check(std::string_view input) {
  for (const unsigned flags : {0u, unsigned(XMLPreprocessor::ExpandMacros)}) {
    XMLDocument document;
    try {
      document.parse(input);
    } catch (const XMLParseError&) {
      return {};
    }
    if (!document.root) return {};
    // Every include reads the input itself, whatever file it names.
    XMLPreprocessor preprocessor(document, noGlobalMacros);
    preprocessor.parseIncludedFile = [input](const QString&, XMLDocument& included) { included.parse(input); };
    preprocessor.setWorkLimit(workLimit);
    std::string failure;
    const int64_t before = countNodes(*document.root, failure);
    preprocessor.processConditionals(document.root.get(), QStringLiteral("/nonexistent-quenport-fuzz/input.xml"),
                                     MacroTable{{"A", "1"}, {"L", "x,y"}}, flags);
    if (!document.root) continue;
    if (document.root->parent()) return "the document element has a parent";
    const int64_t after = countNodes(*document.root, failure);
    if (!failure.empty()) return failure;
    // Made nodes are charged against the limit; the document element may be copied once.
    if (after > 2 * before + workLimit / PreprocessorWalk::nodeCost + 1)
      return "the tree grew to " + std::to_string(after) + " nodes from " + std::to_string(before);
  }
  return {};
}

}  // namespace preprocessor_check
