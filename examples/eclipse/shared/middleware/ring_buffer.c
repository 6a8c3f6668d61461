#include "ring_buffer.h"

void ring_buffer_init(ring_buffer_t* buffer) { buffer->head = buffer->tail = 0u; }

int ring_buffer_put(ring_buffer_t* buffer, unsigned char value)
{
  const unsigned int next = (buffer->head + 1u) % RING_BUFFER_SIZE;
  if (next == buffer->tail) return 0;
  buffer->data[buffer->head] = value;
  buffer->head = next;
  return 1;
}

int ring_buffer_get(ring_buffer_t* buffer, unsigned char* value)
{
  if (buffer->head == buffer->tail) return 0;
  *value = buffer->data[buffer->tail];
  buffer->tail = (buffer->tail + 1u) % RING_BUFFER_SIZE;
  return 1;
}
