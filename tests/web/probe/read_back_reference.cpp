// The read-back cases as Mesa answers them, one a line on standard output:
//   NAME<TAB>BYTES (two hexadecimal digits each)
#include <GL/glut.h>

#include <cstdio>

#include "read_back.h"

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    // The probe page's window.
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(16, 16);
    glutCreateWindow("Vellmoor read-back reference");
    unsigned char bytes[kReadBackBytes];
    for (int i = 0; i < readBackCount(); ++i) {
        readBack(i, bytes);
        std::printf("%s\t", readBackName(i));
        for (const unsigned char b : bytes) {
            std::printf("%02x", b);
        }
        std::printf("\n");
    }
    return 0;
}
