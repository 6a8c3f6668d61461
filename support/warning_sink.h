#pragma once
// Where the project system and template expansion send their warnings: a sink
// handed down by whoever starts the work (the tool connects it to the run's
// diagnostics), so that no warning needs a process-wide channel.

#include <QString>
#include <functional>

/// Takes one warning about file (a path, "path:line", or empty when it concerns no file).
using WarningSink = std::function<void(const QString& file, const QString& message)>;
