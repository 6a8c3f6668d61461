#include "main.h"
#include "board_config.h"
#include "fir_filter.h"
#include "ring_buffer.h"

static ring_buffer_t samples;

static void led_toggle(void) { GPIOD->ODR ^= LED_PIN_MASK; }

int main(void)
{
  HAL_Init();
  board_clock_init();
  board_gpio_init();
  ring_buffer_init(&samples);
  for (;;) {
    led_toggle();
    ring_buffer_put(&samples, (unsigned char)GPIOD->IDR);
    HAL_Delay(BLINK_PERIOD_MS);
  }
}
