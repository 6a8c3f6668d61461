#include "blinky.h"
#include "leds.h"

extern void SystemInit(void);

int main(void)
{
  uint32_t pattern = 1u;
  SystemInit();
  leds_init();
#ifdef DEBUG
  trace_init();
  trace("blinky started\r\n");
#endif
  for (;;) {
    leds_show(pattern);
    pattern = blinky_next(pattern);
    blinky_delay(BLINK_DELAY_LOOPS);
  }
}
