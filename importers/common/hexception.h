#pragma once
// The tool's own exception: one 8-bit message, thrown by the command line, the
// start-up environment and the importers, caught only by the run sequence.

#include <QString>
#include <string>
#include <utility>

/// A failure the tool reports as "error: <message>" with exit status 1.
class HException {
 public:
  explicit HException(std::string message) : message_(std::move(message)) {}
  /// Converts a Qt message with the local 8-bit (UTF-8) encoding, so paths read back as given.
  explicit HException(const QString& message) : message_(message.toLocal8Bit().toStdString()) {}
  virtual ~HException() = default;

  const std::string& message() const { return message_; }

 private:
  std::string message_;
};
