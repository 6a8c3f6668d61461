#pragma once
// A fresh project system with a solution "Demo" and an executable project "App",
// both in the test's temporary directory.

#include <QString>
#include <ostream>

#include "model/solution_model.h"
#include "properties/property_class.h"
#include "helpers/test_support.h"

namespace model_testing {

using testing_support::solutionHeader;

inline const QString common = QStringLiteral("Common");

struct ModelFixture {
  ProjectSystem system{GlobalMacros()};
  QString root = testing_support::testDirectory();
  ProjectElement* solution = system.newSolution(QStringLiteral("Demo"), root);
  ProjectElement* project = system.newProject(solution, QStringLiteral("App"), root, QStringLiteral("Executable"));
};

}  // namespace model_testing
