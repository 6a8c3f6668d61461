#include "readers/common/conversion_context.h"

void ConversionContext::leaveOutProject(const QString& file, const QString& message) {
  warn(file, message);
  if (projectsLeftOut_++ == 0) firstProjectLeftOut_ = {file, message};
}
