#include "drivers.h"
#include "board.h"

void gpio_init_output(uint32_t pin)
{
  RCC_AHB1ENR |= 1u << 3; /* port D clock */
  GPIOD_MODER = (GPIOD_MODER & ~(3u << (2u * pin))) | (1u << (2u * pin));
}

void gpio_write(uint32_t pin, int on)
{
  if (on) {
    GPIOD_ODR |= 1u << pin;
  } else {
    GPIOD_ODR &= ~(1u << pin);
  }
}

void gpio_toggle(uint32_t pin)
{
  GPIOD_ODR ^= 1u << pin;
}
