/* Clock and FPU set-up before main: the example runs on the 16 MHz HSI. */
#include <stdint.h>

#include "board.h"

#define SCB_CPACR REGISTER(0xE000ED88u)

uint32_t SystemCoreClock = BOARD_HSI_HZ;

void SystemInit(void)
{
#if defined(__ARM_FP)
  SCB_CPACR |= (3u << 20) | (3u << 22); /* full access to CP10 and CP11 */
#endif
}
