#include "led.h"
#include "drivers.h"

int main(void) {
  gpio_init();
  uart_init(115200);
  for (;;) led_toggle();
}
