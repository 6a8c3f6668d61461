/* Trace output on the UART; the release targets leave this file out. */
#include "blinky.h"
#include "drivers.h"

void trace_init(void)
{
  uart_init(115200u);
}

void trace(const char *message)
{
  uart_write(message);
}
