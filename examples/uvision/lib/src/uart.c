#include "drivers.h"
#include "board.h"

#define USART_SR_TXE (1u << 7)
#define USART_CR1_UE (1u << 13)
#define USART_CR1_TE (1u << 3)

void uart_init(uint32_t baud)
{
  RCC_APB1ENR |= 1u << 17; /* USART2 clock */
  USART2_BRR = BOARD_HSI_HZ / baud;
  USART2_CR1 = USART_CR1_UE | USART_CR1_TE;
}

void uart_write(const char *text)
{
  for (; *text != '\0'; ++text) {
    while ((USART2_SR & USART_SR_TXE) == 0u) {
    }
    USART2_DR = (uint32_t)(unsigned char)*text;
  }
}
