// The program's entry: tunes the heap and hands the command line to the run sequence.

#include "tool/heap_settings.h"
#include "tool/run_sequence.h"

int main(int argc, char** argv) {
  tuneHeap();
  return runQuenport(argc, argv);
}
