#ifndef FIXED_POINT_H
#define FIXED_POINT_H
typedef int q15_t;
#define Q15_ONE 32767
#endif
