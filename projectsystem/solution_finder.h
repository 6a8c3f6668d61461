#pragma once
// The solution reader's hook for a solution file that does not exist.

#include <QString>

/// Asked by the solution reader when a solution file to load is missing.
class SolutionFinder {
 public:
  virtual ~SolutionFinder() = default;
  /// May replace path by the path of an existing file to load instead; false when
  /// it has none (the reader then reports the file as missing).
  virtual bool find(QString& path) = 0;
};
