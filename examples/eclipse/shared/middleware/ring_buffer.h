#ifndef RING_BUFFER_H
#define RING_BUFFER_H

#define RING_BUFFER_SIZE 16u

typedef struct {
  unsigned char data[RING_BUFFER_SIZE];
  unsigned int head;
  unsigned int tail;
} ring_buffer_t;

void ring_buffer_init(ring_buffer_t* buffer);
int ring_buffer_put(ring_buffer_t* buffer, unsigned char value);
int ring_buffer_get(ring_buffer_t* buffer, unsigned char* value);
#endif
