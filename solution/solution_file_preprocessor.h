#pragma once
// The preprocessed document that solution files are read through: its elements are
// the solution model's elements.

#include <QString>
#include <memory>
#include <string>

#include "preprocessor/xml_preprocessor.h"

class ProjectSystem;

/// A preprocessed document whose elements are ProjectElement objects bound to a project
/// system, expanding with its global macros; its warnings are dropped.
class SolutionFilePreprocessor : public XMLPreprocessor {
 public:
  /// system binds every element made.
  explicit SolutionFilePreprocessor(ProjectSystem& system);
  /// A ProjectElement of that tag, bound to the project system.
  std::unique_ptr<XMLElement> createElement(std::string name) override;
  void warning(const QString&, int, const QString&) override {}
  /// Recorded: half a solution file is no solution.
  void workLimitReached(const QString& file, int line) override;
  /// "<file>:<line>" where preprocessing stopped at the work limit; empty when it did not.
  const QString& stoppedAt() const { return stoppedAt_; }

 private:
  ProjectSystem& system_;
  QString stoppedAt_;
};
