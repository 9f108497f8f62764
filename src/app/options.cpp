#include "app/options.h"

const char kUsage[] =
    "usage: vellmoor [--steady-lamps] [GLUT options such as -display DISPLAY]\n"
    "  --steady-lamps  keep the red, green and blue spot lamps lit instead of flashing";

ProgramOptions readOptions(int argc, const char* const* argv) {
    ProgramOptions options;
    for (int i = 1; i < argc && options.unknown.empty(); ++i) {
        const std::string argument = argv[i];
        if (argument == "--steady-lamps") {
            options.steadyLamps = true;
        } else {
            options.unknown = argument;
        }
    }
    return options;
}
