#pragma once
// One loaded project templates file.

#include <QString>
#include <utility>

#include "support/warning_sink.h"
#include "preprocessor/xml_preprocessor.h"

/// A templates file: a preprocessed document whose warnings go to a sink, each about
/// "<file>:<line>". Loaded with the expand flag off, so template attribute values keep
/// their macro references.
class ProjectTemplateFile : public XMLPreprocessor {
 public:
  ProjectTemplateFile(const GlobalMacros& globalMacros, WarningSink warnings)
      : XMLPreprocessor(globalMacros), warnings_(std::move(warnings)) {}
  void warning(const QString& file, int line, const QString& message) override;
  /// Recorded, not warned about: half a templates file is no templates file.
  void workLimitReached(const QString& file, int line) override;
  /// "<file>:<line>" where preprocessing stopped at the work limit; empty when it did not.
  const QString& stoppedAt() const { return stoppedAt_; }

 private:
  WarningSink warnings_;
  QString stoppedAt_;
};
