#include "readers/common/conversion_context.h"

#include <utility>

ConversionContext::ConversionContext(const ImportSettings& settings, QList<ProjectProperty> projectProperties,
                                     Diagnostics& diagnostics)
    : settings_(settings), projectProperties_(std::move(projectProperties)), diagnostics_(diagnostics) {}

void ConversionContext::leaveOutProject(const QString& file, const QString& message) {
  warn(file, message);
  if (projectsLeftOut_++ == 0) firstProjectLeftOut_ = {file, message};
}
