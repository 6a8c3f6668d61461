#pragma once
// The options one CDT configuration (or one folder or file of it) sets, read
// from its tool chain and tools, each known by what it says (cdt_option_table.h).

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "foreign/foreign_document.h"

class CdtBuildVariables;
struct CdtOptionKind;

/// What one option is set to, build variables expanded.
struct CdtOptionValue {
  const CdtOptionKind* kind = nullptr;
  /// The "value" attribute, or "defaultValue" where CDT writes no value (an
  /// enumerated value id, "true" or "false", or text).
  QString value;
  /// The entries a user set on a list option.
  QStringList entries;
};

/// The options that an element sets, in document order.
class CdtOptions {
 public:
  /// Reads the options below element, leaving out those of the folders and
  /// files it holds ("folderInfo" with a "resourcePath", "fileInfo", and the
  /// older "resourceConfiguration"), which are settings of their own.
  static CdtOptions read(const ForeignElement& element, const CdtBuildVariables& variables);

  /// These options with those of more put in their place, as CDT lets a
  /// folder's or file's tools override the options of the tools they derive from.
  CdtOptions overriddenBy(const CdtOptions& more) const;

  bool isEmpty() const { return values_.empty() && !microcontroller; }
  const std::vector<CdtOptionValue>& values() const { return values_; }
  /// The value of the option named "Microcontroller", where one is set.
  std::optional<QString> microcontroller;

 private:
  void add(const CdtOptionKind* kind, const QString& value, const QStringList& entries);

  std::vector<CdtOptionValue> values_;
};

/// Whether element, a "folderInfo", "fileInfo" or "resourceConfiguration",
/// holds the settings of a folder or file rather than of the whole configuration.
bool holdsResourceSettings(const ForeignElement& element);
