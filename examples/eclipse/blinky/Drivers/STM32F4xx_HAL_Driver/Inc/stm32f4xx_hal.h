#ifndef STM32F4XX_HAL_H
#define STM32F4XX_HAL_H
#include "stm32f4xx.h"

void HAL_Init(void);
void HAL_IncTick(void);
void HAL_Delay(unsigned int milliseconds);
#endif
