#pragma once
#define LED_PIN 12
void led_toggle(void);
