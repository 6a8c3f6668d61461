#include "board_config.h"

void board_clock_init(void) {}
void board_gpio_init(void) {}
