#ifndef CORE_CM4_H
#define CORE_CM4_H
/* Cortex-M4 core peripheral access (excerpt). */
#endif
