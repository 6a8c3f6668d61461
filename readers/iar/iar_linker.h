#pragma once
// What an IAR configuration tells the linker (ILINK) or the archiver, and the
// name of what it builds.

#include <QHash>
#include <QList>
#include <QString>

#include "readers/common/project_record.h"
#include "readers/iar/iar_icf.h"
#include "readers/iar/iar_project.h"
#include "support/input_files.h"

class IarPathConverter;

/// Reads the linker settings of one project's configurations; each ICF file is read once.
class IarLinkerReader {
 public:
  /// inputFiles: where the ICF files read are recorded; projectDirectory:
  /// where the project file lies, as files are read; projectName: what the
  /// output is called when the project does not say.
  IarLinkerReader(IarPathConverter& paths, InputFiles& inputFiles, QString projectDirectory, QString projectName);

  /// For an executable: the ICF file (a linker script of its kind), the
  /// memory, stack and heap its editor symbols give (for an ARM target), the
  /// entry label when overridden, and the output's name. The ICF used when the
  /// project names none, the linker's extra options, kept, defined and
  /// configuration symbols, the secure-code import library and a converted
  /// output (OBJCOPY) are added to notCarried.
  void readExecutable(const IarConfiguration& configuration, SourceConfiguration& result,
                      QList<NotCarried>& notCarried);
  /// For a library: the archiver's output, when overridden, as output directory and name.
  void readLibrary(const IarConfiguration& configuration, SourceConfiguration& result, QList<NotCarried>& notCarried);

 private:
  void readIcf(const IarConfiguration& configuration, SourceConfiguration& result, QList<NotCarried>& notCarried);
  const IcfLayout* layoutOf(const QString& path);
  QString outputName(const QString& file, QList<NotCarried>& notCarried) const;

  IarPathConverter& paths_;
  InputFiles& inputFiles_;
  QString projectDirectory_;
  QString projectName_;
  /// By the path as the solution writes it; null where the file cannot be read.
  QHash<QString, std::optional<IcfLayout>> layouts_;
};
