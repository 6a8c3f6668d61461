#ifndef BLINKY_H
#define BLINKY_H

#include <stdint.h>

#define BLINK_DELAY_LOOPS 400000u

/* The next LED pattern of the running light. */
uint32_t blinky_next(uint32_t pattern);
void blinky_delay(uint32_t loops);

/* Trace output, compiled into debug builds only. */
void trace_init(void);
void trace(const char *message);

#endif
