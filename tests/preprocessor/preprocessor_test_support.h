#pragma once
// Loads a preprocessed document in the test directory and describes the result in the
// compact form of xml_tree_description.h, with the warnings it gave.

#include <QStringList>
#include <string>

#include "helpers/test_support.h"
#include "preprocessor/xml_preprocessor.h"
#include "support/diagnostics.h"
#include "xml/xml_tree_description.h"

namespace preprocessor_testing {

/// No global macros: what the tests expand with unless they say otherwise.
inline const GlobalMacros noGlobalMacros;

/// A document loaded through the preprocessor, which records the warnings it gave
/// and where each arose as "<file>:<line>".
struct RecordingPreprocessor {
  explicit RecordingPreprocessor(const GlobalMacros& globalMacros = noGlobalMacros, bool keepData = false)
      : document(keepData), preprocessor(document, globalMacros, &diagnostics) {}
  /// The warnings given since the last call, and where they arose.
  QStringList takeWarnings(QStringList* locations = nullptr) {
    QStringList messages;
    for (const Warning& warning : diagnostics.takeWarnings()) {
      messages << warning.message;
      if (locations) *locations << warning.file;
    }
    return messages;
  }

  XMLDocument document;
  Diagnostics diagnostics;
  XMLPreprocessor preprocessor;
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
  RecordingPreprocessor recording(globalMacros, keepData);
  try {
    recording.preprocessor.load(path, definitions, expand);
  } catch (const XMLParseError& error) {
    return {"load failed: " + error.message, {}, {}};
  }
  QStringList locations;
  const QStringList warnings = recording.takeWarnings(&locations);
  return {describeRoot(recording.document), warnings, locations};
}

}  // namespace preprocessor_testing
