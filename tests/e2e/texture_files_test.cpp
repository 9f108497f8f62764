// The real binary started in a folder whose texture files are missing or
// damaged: it must say which file and why on stderr, and exit with status 1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

const char* const kTextureFiles[] = {"oxy02.tga", "wood.tga", "wood1.tga", "dartboard.tga"};

struct ProcessRun {
    int status = -1;  // exit status, or -1 after a signal or time-out
    std::string errors;
};

// Starts the binary in dir with stderr captured, and waits for it to end. A
// process still running after the time limit is killed and reported as -1.
ProcessRun runIn(const std::string& dir, double seconds) {
    ProcessRun run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return run;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[1]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        if (chdir(dir.c_str()) != 0) {
            _exit(126);
        }
        execl(VELLMOOR_BINARY, "vellmoor", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        ADD_FAILURE() << "fork: " << std::strerror(errno);
        return run;
    }

    // Read stderr until the child closes it (it exits) or time runs out.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd reader{pipeEnds[0], POLLIN, 0};
        if (poll(&reader, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[512];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        run.errors.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (timedOut) {
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!timedOut && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    return run;
}

Bytes readAsset(const std::string& name) {
    std::ifstream in(std::string(VELLMOOR_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A temp folder holding copies of the texture files, removed afterwards.
class TextureFiles : public testing::Test {
   protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run)";
        }
        std::string pattern = testing::TempDir() + "vellmoor_textures_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        dir_ = pattern;
    }
    void TearDown() override {
        for (const char* name : kTextureFiles) {
            std::remove((dir_ + "/" + name).c_str());
        }
        if (!dir_.empty()) {
            rmdir(dir_.c_str());
        }
    }
    void put(const std::string& name, const Bytes& bytes) {
        std::ofstream out(dir_ + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << name;
    }
    void copyAllExcept(const std::string& missing) {
        for (const char* name : kTextureFiles) {
            if (name != missing) {
                const Bytes bytes = readAsset(name);
                ASSERT_GT(bytes.size(), 18u) << name;
                put(name, bytes);
            }
        }
    }

    std::string dir_;
};

}  // namespace

TEST_F(TextureFiles, MissingFileIsNamedAndEndsStartUpWithStatusOne) {
    copyAllExcept("wood1.tga");
    const ProcessRun run = runIn(dir_, 20.0);
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("vellmoor: cannot open texture file 'wood1.tga': "
                              "No such file or directory\n"),
              std::string::npos)
        << run.errors;
    // The files before it loaded; nothing is said about them.
    EXPECT_EQ(run.errors.find("oxy02.tga"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("'wood.tga'"), std::string::npos) << run.errors;
}

TEST_F(TextureFiles, DamagedFileIsNamedWithItsReasonAndEndsStartUpWithStatusOne) {
    struct Case {
        const char* file;
        const char* reason;
        void (*damage)(Bytes&);
    };
    const Case cases[] = {
        {"wood.tga", "truncated", [](Bytes& bytes) { bytes.resize(bytes.size() / 2); }},
        {"dartboard.tga", "image type 10", [](Bytes& bytes) { bytes[2] = 10; }},
        {"oxy02.tga", "depth of 16 bits", [](Bytes& bytes) { bytes[16] = 16; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        copyAllExcept("");
        Bytes damaged = readAsset(c.file);
        c.damage(damaged);
        put(c.file, damaged);

        const ProcessRun run = runIn(dir_, 20.0);
        EXPECT_EQ(run.status, 1) << run.errors;
        const std::string expected =
            std::string("vellmoor: cannot load texture file '") + c.file + "': ";
        const std::size_t at = run.errors.find(expected);
        ASSERT_NE(at, std::string::npos) << run.errors;
        const std::string line = run.errors.substr(at, run.errors.find('\n', at) - at);
        EXPECT_NE(line.find(c.reason), std::string::npos) << line;
    }
}
