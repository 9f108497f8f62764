#pragma once

#include <string>

// Output of a shell command, trailing newlines removed.
std::string shellOutput(const std::string& command);
