#pragma once
// Qt's own warnings, printed as the program's.

/// Prints Qt's warnings (the templates files' preprocessor warnings among them)
/// as "warning: <message>", one line each, so they read like the program's own.
void routeQtWarnings();
