#ifndef FIR_FILTER_H
#define FIR_FILTER_H
float fir_filter_step(const float* coefficients, float* history, unsigned int taps, float sample);
#endif
