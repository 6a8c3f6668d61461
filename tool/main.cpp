// The program's entry: hands the command line to the run sequence.

#include "tool/run_sequence.h"

int main(int argc, char** argv) { return runQuenport(argc, argv); }
