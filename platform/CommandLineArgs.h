#pragma once
// The arguments this process was started with.
#include <string>
#include <vector>

namespace platform {

// The arguments after the program name, in UTF-8, split as Windows programs split them
// (quotes group, backslashes escape a quote). Empty when there are none or the split fails.
std::vector<std::string> CommandLineArguments();

}  // namespace platform
