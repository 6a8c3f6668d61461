#include "leds.h"
#include "board.h"
#include "drivers.h"

void leds_init(void)
{
  for (uint32_t led = 0u; led < BOARD_LED_COUNT; ++led) {
    gpio_init_output(BOARD_LED_FIRST_PIN + led);
  }
}

void leds_show(uint32_t pattern)
{
  for (uint32_t led = 0u; led < BOARD_LED_COUNT; ++led) {
    gpio_write(BOARD_LED_FIRST_PIN + led, (int)((pattern >> led) & 1u));
  }
}
