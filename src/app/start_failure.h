#pragma once

#include <string>

// Ends start-up with the exit status after telling the user why: the message
// goes to standard error, and where the program has none (the Windows program
// started from the desktop) into a message box, with the advice after it.
[[noreturn]] void failStartUp(const std::string& message, const std::string& boxAdvice, int status);
