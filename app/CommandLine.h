#pragma once
// The program's own command line: --version and --help answer without a
// window or a display; Qt's options (-platform, -display, ...) pass through to
// the application object; any other option is refused with the usage.

#include <iosfwd>
#include <string>

enum class CommandLineRequest {
    StartWidget, // no option of ours: start the widget
    PrintVersion,
    PrintHelp,
    UnknownOption,
};

struct CommandLine {
    CommandLineRequest request = CommandLineRequest::StartWidget;
    std::string unknownOption; // the first option refused, for UnknownOption
};

// What the arguments ask for; argv[0] is the program. --version and --help
// win over anything else on the line.
CommandLine ReadCommandLine(int argc, const char* const* argv);

// Answers a request other than StartWidget on the streams given and returns
// the exit status: 0 for --version and --help, 2 for an unknown option (the
// usage then goes to the error stream).
int AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);
