#pragma once
// The optional receiver of progress from long project-system operations
// (loading a solution, mapping projects). Every operation defaults to doing nothing.

#include <QString>

/// Receives progress messages, command output and step counts.
class ProgressReporter {
 public:
  virtual ~ProgressReporter() = default;
  virtual void message(const QString& text, int level) { (void)text, (void)level; }
  virtual void finished() {}
  virtual void outputLine(const QString& text) { (void)text; }
  /// Nesting depth of the operation being reported; the reader reports steps at depth 1.
  virtual int depth() const { return 0; }
  virtual void step(int index, int count) { (void)index, (void)count; }
};
