#pragma once
// A fresh solution model with a solution "Demo" and an executable project "App",
// both in the test's temporary directory.

#include <QString>
#include <ostream>

#include "helpers/test_support.h"
#include "model/solution_model.h"
#include "properties/property_schema.h"

namespace model_testing {

using testing_support::solutionHeader;

inline const QString common = QStringLiteral("Common");

/// The converter's schema, built once for the test program as a run builds it once.
inline const PropertySchema& testSchema() {
  static const PropertySchema schema = buildPropertySchema();
  return schema;
}

/// No global macros.
inline const GlobalMacros noGlobalMacros;

struct ModelFixture {
  SolutionModel model{testSchema(), noGlobalMacros};
  QString root = testing_support::testDirectory();
  ModelNode* solution = model.newSolution(QStringLiteral("Demo"), root);
  ModelNode* project = model.newProject(solution, QStringLiteral("App"), root, QStringLiteral("Executable"));
};

}  // namespace model_testing
