#include "stm32f4xx_hal.h"

static volatile unsigned int ticks;

void HAL_Init(void) { ticks = 0; }
void HAL_IncTick(void) { ++ticks; }
void HAL_Delay(unsigned int milliseconds)
{
  const unsigned int start = ticks;
  while (ticks - start < milliseconds) {
  }
}
