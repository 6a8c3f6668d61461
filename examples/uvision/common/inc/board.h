/* The board the example runs on: an STM32F4 with four LEDs on port D. */
#ifndef BOARD_H
#define BOARD_H

#include <stdint.h>

#define BOARD_HSI_HZ 16000000u
#define BOARD_LED_COUNT 4u
#define BOARD_LED_FIRST_PIN 12u

#define REGISTER(address) (*(volatile uint32_t *)(address))

#define RCC_AHB1ENR REGISTER(0x40023830u)
#define RCC_APB1ENR REGISTER(0x40023840u)
#define GPIOD_MODER REGISTER(0x40020C00u)
#define GPIOD_ODR REGISTER(0x40020C14u)
#define USART2_SR REGISTER(0x40004400u)
#define USART2_DR REGISTER(0x40004404u)
#define USART2_BRR REGISTER(0x40004408u)
#define USART2_CR1 REGISTER(0x4000440Cu)

#endif
