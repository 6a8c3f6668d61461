/* Trace output over the UART; built in Debug and RAM, which set TRACE_LEVEL. */
#include "drivers.h"

#ifndef TRACE_LEVEL
#error "TRACE_LEVEL is set by the configurations that build this file"
#endif

void trace(const char* text) {
  if (TRACE_LEVEL > 0) uart_write(text);
}
