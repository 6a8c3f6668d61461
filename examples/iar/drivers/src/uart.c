#include "drivers.h"

void uart_init(unsigned baud) { (void)baud; }
void uart_write(const char* text) { (void)text; }
