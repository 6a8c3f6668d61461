#include "templates/project_template_file.h"

#include <QtGlobal>

void ProjectTemplateFile::warning(const QString& message) { qWarning("%s", qPrintable(message)); }
