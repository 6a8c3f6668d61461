#ifndef MAIN_H
#define MAIN_H

#include "stm32f4xx_hal.h"

#define BLINK_PERIOD_MS 500u
#define LED_PIN_MASK (1u << 12)

#endif
