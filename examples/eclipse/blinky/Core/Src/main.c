#include "main.h"
#include "board_config.h"
#include "fir_filter.h"

static void led_toggle(void) { GPIOD->ODR ^= LED_PIN_MASK; }

int main(void)
{
  HAL_Init();
  board_clock_init();
  board_gpio_init();
  for (;;) {
    led_toggle();
    HAL_Delay(BLINK_PERIOD_MS);
  }
}
