/* Trace output over the UART; built in Debug only. */
#include "drivers.h"

void trace(const char* text) { uart_write(text); }
