#include "led.h"
#include "drivers.h"

void led_toggle(void) { gpio_toggle(LED_PIN); }
