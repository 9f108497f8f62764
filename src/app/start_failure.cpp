#include "app/start_failure.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

void failStartUp(const std::string& message, const std::string& boxAdvice, int status) {
    std::fprintf(stderr, "%s\n", message.c_str());
#ifdef _WIN32
    // Started from Explorer or a shortcut, the windowed program has no
    // standard error: the message goes into a box instead, or nobody would
    // learn it.
    if (GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN) {
        const std::string text = boxAdvice.empty() ? message : message + "\n\n" + boxAdvice;
        MessageBoxA(nullptr, text.c_str(), "Vellmoor", MB_OK | MB_ICONERROR);
    }
#else
    static_cast<void>(boxAdvice);
#endif
    std::exit(status);
}
