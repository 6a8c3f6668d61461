#include "templates/project_template_file.h"

void ProjectTemplateFile::warning(const QString& file, int line, const QString& message) {
  warnings_(file + QLatin1Char(':') + QString::number(line), message);
}
