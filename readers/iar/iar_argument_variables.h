#pragma once
// IAR argument variables: names a user defines for Embedded Workbench
// ("$MSPM0_SDK_INSTALL_DIR$" for an SDK's directory), which workspaces and
// projects use in their paths. The IDE keeps them in ".custom_argvars" files:
//
//   <iarUserArgVars>
//     <group active="true" name="MSPM0_SDK">
//       <variable><name>MSPM0_SDK_INSTALL_DIR</name><value>c:/ti/mspm0_sdk_2_09_00_01</value></variable>
//     </group>
//   </iarUserArgVars>

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>
#include <optional>

#include "foreign/foreign_document.h"

class ConversionContext;

/// What an argument variable stands for.
struct IarVariableValue {
  /// A path, or text starting with one of the IDE's own variables.
  QString text;
  /// The definition that gave the text's start was a relative path, made
  /// absolute: a tree that moves with the workspace, written relative to it.
  bool relative = false;
};

/// The argument variables one workspace's conversion knows.
class IarArgumentVariables {
 public:
  IarArgumentVariables() = default;
  /// The variables of, in rising precedence: the files named by
  /// "-custom-argvars" (in order, a later one winning), the workspace's own
  /// "<workspace>.custom_argvars" beside it, and the "-argvar NAME=value"
  /// definitions. A value that is a relative path is taken relative to the
  /// file that defines it (the working directory for "-argvar"). Throws
  /// ConversionError for a file named on the command line that cannot be read
  /// and for an "-argvar" without a name; a workspace's own file that cannot
  /// be read is left out with a warning.
  IarArgumentVariables(ConversionContext& context, const QString& workspaceFile);

  /// The value of the variable name, argument variables at its start replaced
  /// (at most 16 levels, so that variables defined through each other end);
  /// nothing when it is not defined or empty.
  std::optional<IarVariableValue> value(const QString& name) const;
  /// Whether name is defined at all (its value may still be empty or circular).
  bool defines(const QString& name) const { return values_.contains(name); }

  /// Adds the variables of an active group of document (a ".custom_argvars"
  /// file read from directory), replacing those of the same name.
  void addFile(const ForeignDocument& document, const QString& directory);
  /// Adds or replaces one variable.
  void define(const QString& name, const QString& value, const QString& directory);

 private:
  QHash<QString, IarVariableValue> values_;
};

/// A "$NAME$" (NAME a C identifier) or "${NAME}$" (the CMSIS-pack form,
/// "${CMSIS_PACK_PATH_ARM#CMSIS-FreeRTOS#10.3.1-dev0}$") variable in text: where
/// it starts, how long it is, and NAME (without braces).
struct IarVariableAt {
  qsizetype start = -1;
  qsizetype length = 0;
  /// A view into the text searched, valid while that text is.
  QStringView name;
};

/// The first variable at or after from; start -1 when there is none.
IarVariableAt findIarVariable(QStringView text, qsizetype from = 0);
