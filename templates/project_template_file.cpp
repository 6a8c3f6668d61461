#include "templates/project_template_file.h"

namespace {

QString location(const QString& file, int line) { return file + QLatin1Char(':') + QString::number(line); }

}  // namespace

void ProjectTemplateFile::warning(const QString& file, int line, const QString& message) {
  warnings_(location(file, line), message);
}

void ProjectTemplateFile::workLimitReached(const QString& file, int line) { stoppedAt_ = location(file, line); }
