#pragma once

// glReadPixels of a 2x2 block of known colours in every colour format and
// type, with pack settings and pixel transfers, written once and run twice:
// by Mesa (read_back_reference.cpp) and by the web layer in the probe page,
// whose answers probe_test.cjs compares byte for byte.

// The bytes a case may write: the block in four-byte components with the
// widest pack settings, and room after it.
constexpr int kReadBackBytes = 256;

int readBackCount();
// The case's name ("GL_LUMINANCE GL_SHORT, ...").
const char* readBackName(int index);
// Paints the block, reads it back as case `index` says into `out` (first
// filled with 0xA5) and leaves the state as it found it.
void readBack(int index, unsigned char* out);
