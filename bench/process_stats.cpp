#include "process_stats.h"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

double secondsSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat;
    std::getline(statFile, stat);
    // The command name in field 2 may hold spaces; the fields after it start at
    // the last closing parenthesis. starttime is field 22, the 20th after the name.
    const std::string::size_type nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) {
        return -1.0;
    }
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    for (int i = 0; i < 19 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks)) {
        return -1.0;
    }
    // starttime counts from boot, suspended time included.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowSeconds = static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
    return nowSeconds - static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return std::stol(line.substr(prefix.size()));
        }
    }
    return -1;
}

long heapInUseKiB() {
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#else
    return -1;
#endif
}
