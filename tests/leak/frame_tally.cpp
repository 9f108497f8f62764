// Preloaded into the program under test to count its frames from outside:
// every buffer swap appends one byte to the file named by VELLMOOR_FRAME_TALLY,
// so the file's size is the number of frames drawn. The program itself is
// unchanged; the swap is passed on to the real glXSwapBuffers.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using SwapBuffers = void (*)(Display*, GLXDrawable);
    static const auto real = reinterpret_cast<SwapBuffers>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const int tally = [] {
        const char* path = std::getenv("VELLMOOR_FRAME_TALLY");
        return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }();
    if (real != nullptr) {
        real(display, drawable);
    }
    if (tally >= 0) {
        const ssize_t written = write(tally, ".", 1);
        static_cast<void>(written);
    }
}
