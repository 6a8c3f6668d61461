/* The drivers library: GPIO outputs and a polled UART. */
#ifndef DRIVERS_H
#define DRIVERS_H

#include <stdint.h>

void gpio_init_output(uint32_t pin);
void gpio_write(uint32_t pin, int on);
void gpio_toggle(uint32_t pin);

void uart_init(uint32_t baud);
void uart_write(const char *text);

#endif
