#include "fir_filter.h"
#include "fixed_point.h"

float fir_filter_step(const float* coefficients, float* history, unsigned int taps, float sample)
{
  float sum = 0.0f;
  for (unsigned int i = taps - 1; i > 0; --i) history[i] = history[i - 1];
  history[0] = sample;
  for (unsigned int i = 0; i < taps; ++i) sum += coefficients[i] * history[i];
  return sum;
}
