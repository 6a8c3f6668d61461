#pragma once
// Loads a preprocessed document in the test directory and describes the result in the
// compact form of xml_tree_description.h, with the warnings it gave.

#include <QStringList>
#include <string>

#include "helpers/test_support.h"
#include "preprocessor/xml_preprocessor.h"
#include "xml/xml_tree_description.h"

namespace preprocessor_testing {

/// No global macros: what the tests expand with unless they say otherwise.
inline const GlobalMacros noGlobalMacros;

/// A document that records its warnings, and where each arose as "<file>:<line>".
class RecordingPreprocessor : public XMLPreprocessor {
 public:
  explicit RecordingPreprocessor(const GlobalMacros& globalMacros = noGlobalMacros, bool keepData = false)
      : XMLPreprocessor(globalMacros, keepData) {}
  void warning(const QString& file, int line, const QString& message) override {
    warnings << message;
    locations << file + ":" + QString::number(line);
  }
  QStringList warnings;
  QStringList locations;
};

struct Result {
  std::string tree;  // "" when there is no document element
  QStringList warnings;
  QStringList locations;  // of the warnings, in order
};

inline std::string describeRoot(const XMLDocument& document) {
  return document.root ? xml_testing::describe(*document.root) : std::string();
}

/// Writes xml to path (in the test directory) and loads it; keepData keeps text.
inline Result preprocess(const QByteArray& xml, const QString& definitions = {}, bool expand = false,
                         bool keepData = false, const QString& path = "main.xml",
                         const GlobalMacros& globalMacros = noGlobalMacros) {
  testing_support::writeFile(path, xml);
  RecordingPreprocessor document(globalMacros, keepData);
  if (!document.load(path, definitions, expand)) return {"load failed: " + document.errorMessage, {}};
  return {describeRoot(document), document.warnings, document.locations};
}

}  // namespace preprocessor_testing
