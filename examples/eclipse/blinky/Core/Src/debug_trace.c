#include "main.h"

/* Debug builds count the blinks; Release leaves this file out of its build. */
static volatile unsigned int blinks;

void debug_trace_blink(void) { ++blinks; }
