#include "tool/heap_settings.h"

#include <malloc.h>

// A conversion builds and drops hundreds of thousands of small nodes and strings
// (documents read, the solution model) while the heap holds tens of megabytes. Fast
// bins make every larger request sweep the freed small chunks first, which costs
// more the larger the heap; small allocations are served from the per-thread cache
// all the same. A larger top pad and trim threshold keep the heap from being shrunk
// and grown again between the projects of a workspace. Measured on a 2-core machine:
// 5 to 10 % less processor time for workspaces of 100,000 files and more, about 3 %
// on the uVision benchmark, peak memory unchanged.
void tuneHeap() {
#ifdef __GLIBC__
  mallopt(M_MXFAST, 0);
  mallopt(M_TOP_PAD, 16 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
