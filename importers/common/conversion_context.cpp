#include "importers/common/conversion_context.h"

#include <utility>

ConversionContext::ConversionContext(const ImportSettings& settings, WarningSink warningSink)
    : settings_(settings), warningSink_(std::move(warningSink)) {}

void ConversionContext::warn(const QString& message) {
  if (reported_.contains(message)) return;
  reported_.insert(message);
  if (warningSink_) warningSink_(message);
}

void ConversionContext::beginWorkspace(const QString& directory) {
  workspaceDirectory_ = directory;
  paths_.clear();
  reported_.clear();
}
