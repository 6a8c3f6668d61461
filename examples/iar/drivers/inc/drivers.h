#pragma once
void gpio_init(void);
void gpio_toggle(int pin);
void uart_init(unsigned baud);
void uart_write(const char* text);
