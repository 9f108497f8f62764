#pragma once

// Tells the C library to keep the memory the program frees instead of giving
// it back to the kernel. Does nothing where the C library has no such setting.
void keepFreedMemory();
