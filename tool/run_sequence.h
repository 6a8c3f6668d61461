#pragma once
// The program's run: start-up, command line, one conversion per input, exit status.

/// Runs quenport with the process's arguments; returns the exit status.
int runQuenport(int argc, char** argv);
