#ifndef BOARD_CONFIG_H
#define BOARD_CONFIG_H
void board_clock_init(void);
void board_gpio_init(void);
#endif
