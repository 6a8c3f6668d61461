#pragma once
// The settings an IAR file or group has of its own. Embedded Workbench writes
// a whole copy of a tool's options for the item, so what matters is where the
// copy differs from the project's configuration: the mapper writes the
// differences; this tells what cannot be written.

#include <QList>
#include <vector>

#include "readers/common/project_record.h"
#include "readers/iar/iar_project.h"

class IarPathConverter;

/// Reads the own settings of the items of one project.
class IarItemSettingsReader {
 public:
  /// configurations: the project's, as read and as recorded (same order);
  /// configurationReports: what each configuration's compile settings reported.
  IarItemSettingsReader(const std::vector<IarConfiguration>& configurations,
                        const std::vector<SourceConfiguration>& recorded,
                        const std::vector<QList<NotCarried>>& configurationReports, IarPathConverter& paths);

  /// The item's compile settings per configuration it names (others are
  /// ignored, as Embedded Workbench does): its options over its project's.
  /// Reported, with the configuration: what it adds that cannot be carried
  /// ("IAR compiler option --no_size_constraints on main.c"), and the entries
  /// of the project's lists it empties ("definition NDEBUG left out by User"),
  /// which a solution cannot take away. itemName as messages name the item.
  std::vector<ItemSettings> read(const std::vector<IarOwnSettings>& own, const QString& itemName,
                                 QList<NotCarried>& notCarried);

 private:
  const std::vector<IarConfiguration>& configurations_;
  const std::vector<SourceConfiguration>& recorded_;
  const std::vector<QList<NotCarried>>& configurationReports_;
  IarPathConverter& paths_;
};
