// Prints the arguments it was started with, one "[argument]" a line, then what the program
// would do with them: "report FILE" or "window".
#include <cstdio>

#include "app/CommandLine.h"
#include "platform/CommandLineArgs.h"

int main() {
    const std::vector<std::string> arguments = platform::CommandLineArguments();
    std::printf("%u\n", static_cast<unsigned>(arguments.size()));
    for (const std::string& argument : arguments) std::printf("[%s]\n", argument.c_str());
    const std::optional<std::string> file = ReportFileRequested(arguments);
    if (file)
        std::printf("report %s\n", file->c_str());
    else
        std::printf("window\n");
    return 0;
}
