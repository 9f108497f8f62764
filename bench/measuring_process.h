#pragma once

#include <sys/types.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// A child process of the benchmark that draws the scene in a window of its own
// and answers one line for every command line it is sent.
class MeasuringProcess {
   public:
    // Starts `program` with `arguments` (argv[0] included), its standard input
    // and output connected to this process.
    MeasuringProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~MeasuringProcess();  // tells it to quit and waits for it
    MeasuringProcess(const MeasuringProcess&) = delete;
    MeasuringProcess& operator=(const MeasuringProcess&) = delete;

    // Sends one command and returns the reply line; ends the benchmark with a
    // message if the child has gone.
    std::string ask(const std::string& command);

    // The next line the child writes without being asked (its start-up report).
    std::string readLine();

   private:
    pid_t pid_ = -1;
    std::FILE* toChild_ = nullptr;
    std::FILE* fromChild_ = nullptr;
};

// The numbers of a reply line, in order.
std::vector<double> numbersIn(const std::string& line);

// The figures of a reply line of name=value words, by name.
std::map<std::string, double> figuresIn(const std::string& line);
