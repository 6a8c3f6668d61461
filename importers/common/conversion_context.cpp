#include "importers/common/conversion_context.h"

#include <utility>

ConversionContext::ConversionContext(const ImportSettings& settings, WarningSink warningSink)
    : settings_(settings), warningSink_(std::move(warningSink)) {}

void ConversionContext::warn(const QString& message) const {
  if (warningSink_) warningSink_(message);
}

void ConversionContext::beginWorkspace(const QString& directory) {
  workspaceDirectory_ = directory;
  paths_.clear();
}
