#pragma once

// Figures about this process read from /proc.

// Seconds since the kernel started this process (its starttime in
// /proc/self/stat, in clock ticks of usually 10 ms), or a negative value when
// it cannot be read.
double secondsSinceProcessStart();

// A size field of /proc/self/status in KiB ("VmRSS", "VmHWM", ...), or -1.
long statusKiB(const char* field);

// Bytes the C library's allocator has handed out and not had back, in KiB,
// over all its arenas (glibc only; -1 elsewhere).
long heapInUseKiB();
