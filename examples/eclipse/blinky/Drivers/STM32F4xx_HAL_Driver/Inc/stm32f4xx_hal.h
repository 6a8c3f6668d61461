#ifndef STM32F4XX_HAL_H
#define STM32F4XX_HAL_H
void HAL_Init(void);
void HAL_IncTick(void);
void HAL_Delay(unsigned int milliseconds);
#endif
