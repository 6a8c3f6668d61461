#include "ring_buffer.h"

/* A host test of the ring buffer: the project's resource filter keeps it out. */
int ring_buffer_test(void)
{
  ring_buffer_t buffer;
  unsigned char value = 0;
  ring_buffer_init(&buffer);
  ring_buffer_put(&buffer, 42u);
  return ring_buffer_get(&buffer, &value) && value == 42u;
}
