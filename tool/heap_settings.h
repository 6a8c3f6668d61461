#pragma once
// Settings of the C library's heap for the way a conversion allocates.

/// Tunes the heap once at start-up, before anything is allocated in bulk.
void tuneHeap();
