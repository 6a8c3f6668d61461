#pragma once
// One loaded project templates file.

#include <QString>

#include "xml/xml_preprocessor.h"

/// A templates file: a preprocessed document whose warnings go to Qt's warning channel.
/// Loaded with the expand flag off, so template attribute values keep their macro references.
class ProjectTemplateFile : public XMLPreprocessor {
 public:
  explicit ProjectTemplateFile(const GlobalMacros& globalMacros) : XMLPreprocessor(globalMacros) {}
  /// Prints message with the format "%s" through qWarning and carries on.
  void warning(const QString& message) override;
};
