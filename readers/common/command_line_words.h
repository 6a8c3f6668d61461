#pragma once
// Option strings the IDEs keep as one text ("-O2 -DNAME=\"a b\" -mthumb"),
// split into the words the tool's command line would get.

#include <QString>
#include <QStringList>

/// The words of a command-line text: separated by blanks, a double-quoted part
/// kept in one word without its quotes (an empty "" is an empty word).
/// Backslashes are path separators on Windows, not escapes.
QStringList commandLineWords(const QString& text);
