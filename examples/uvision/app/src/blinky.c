#include "blinky.h"
#include "board.h"

uint32_t blinky_next(uint32_t pattern)
{
  pattern <<= 1;
  return (pattern >> BOARD_LED_COUNT) != 0u ? 1u : pattern;
}

void blinky_delay(uint32_t loops)
{
  for (volatile uint32_t i = 0u; i < loops; ++i) {
  }
}
