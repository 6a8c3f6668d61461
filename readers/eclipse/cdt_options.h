#pragma once
// The options one CDT configuration (or one folder or file of it) sets, read
// from its tool chain and tools, each known by what it says (cdt_option_table.h).

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "foreign/foreign_document.h"

class CdtBuildVariables;
struct CdtDefaultValue;
struct CdtOptionKind;

/// What one option is set to, build variables expanded.
struct CdtOptionValue {
  const CdtOptionKind* kind = nullptr;
  /// The option's id as cdtOptionId gives it (of the last one met of its kind).
  QString id;
  /// The "value" attribute, or "defaultValue" where CDT writes no value (an
  /// enumerated value id, "true" or "false", or text).
  QString value;
  /// The entries a user set on a list option.
  QStringList entries;
};

/// An option the table does not know (cdt_option_table.h), as it is set.
struct CdtOtherOption {
  /// Its "superClass" without the numbers of the instances it derives from.
  QString id;
  /// As CdtOptionValue's; an enumerated value's last part ("hard" of "...abi.hard").
  QString value;
  QStringList entries;

  /// "<id-suffix>=<value>" as a report names it; empty where the option says
  /// nothing (no value, a switch turned off, "false": cdt_option_table.h).
  QString reported() const;
};

/// The options that an element sets, in document order.
class CdtOptions {
 public:
  /// Reads the options below element, leaving out those of the folders and
  /// files it holds ("folderInfo" with a "resourcePath", "fileInfo", and the
  /// older "resourceConfiguration"), which are settings of their own.
  static CdtOptions read(const ForeignElement& element, const CdtBuildVariables& variables);

  /// These options with those of more put in their place, as CDT lets a
  /// folder's or file's tools override the options of the tools they derive
  /// from; an option of more that holds nothing derives its value.
  CdtOptions overriddenBy(const CdtOptions& more) const;

  /// These options after the values defaults gives the options they leave
  /// unset (or set without a value).
  CdtOptions withDefaults(const std::vector<CdtDefaultValue>& defaults) const;

  bool isEmpty() const { return values_.empty() && others_.empty() && !microcontroller; }
  const std::vector<CdtOptionValue>& values() const { return values_; }
  const std::vector<CdtOtherOption>& others() const { return others_; }
  /// The value of the option named "Microcontroller", where one is set.
  std::optional<QString> microcontroller;

 private:
  void add(const CdtOptionValue& option);
  void addOther(const CdtOtherOption& option);

  std::vector<CdtOptionValue> values_;
  std::vector<CdtOtherOption> others_;
};

/// Whether element, a "folderInfo", "fileInfo" or "resourceConfiguration",
/// holds the settings of a folder or file rather than of the whole configuration.
bool holdsResourceSettings(const ForeignElement& element);
