#include "CommandLine.h"

#include "QelvoVersion.h"

#include <array>
#include <ostream>
#include <string_view>

namespace {

// The options QGuiApplication and QApplication take themselves; the first
// group is followed by a value (as the next argument or after "=").
constexpr std::array<std::string_view, 16> QtOptionsWithValue = { "platform", "platformpluginpath",
    "platformtheme", "plugin", "display", "geometry", "qwindowgeometry", "icon", "qwindowicon", "title",
    "qwindowtitle", "name", "style", "stylesheet", "session", "qmljsdebugger" };
constexpr std::array<std::string_view, 6> QtOptionsAlone
    = { "reverse", "widgetcount", "nograb", "dograb", "sync", "testability" };

template <std::size_t N> bool Holds(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::string_view known : names)
        if (known == name)
            return true;
    return false;
}

// Qt takes "-name" and "--name" alike.
std::string_view WithoutDashes(std::string_view argument)
{
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument;
}

} // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version")
            return { CommandLineRequest::PrintVersion, {} };
        if (argument == "--help" || argument == "-h")
            return { CommandLineRequest::PrintHelp, {} };
        if (argument.size() < 2 || argument[0] != '-')
            continue; // not an option: ignored, as the widget takes no arguments
        const std::string_view option = WithoutDashes(argument);
        const std::string_view name = option.substr(0, option.find('='));
        if (Holds(QtOptionsWithValue, name)) {
            if (name.size() == option.size())
                ++i; // its value is the next argument
            continue;
        }
        if (Holds(QtOptionsAlone, option))
            continue;
        if (line.request == CommandLineRequest::StartWidget)
            line = { CommandLineRequest::UnknownOption, std::string(argument) };
    }
    return line;
}

namespace {

void PrintUsage(std::ostream& stream)
{
    stream << "Usage: qelvo [--version] [--help] [Qt options such as -platform xcb]\n"
              "\n"
              "Qelvo桌面股票 shows the Shanghai and Shenzhen stocks you follow, with name, code,\n"
              "price and change, in a small window with a tray icon, and asks the quote service\n"
              "for new prices every 20 seconds. Right-click the tray icon (or click \"菜单\") for\n"
              "the menu; \"选项\" edits the list of stock codes.\n"
              "\n"
              "Options:\n"
              "  --version   print the version and exit\n"
              "  -h, --help  print this help and exit\n"
              "\n"
              "Files:\n"
              "  Stocks.cfg  the stock codes, one a line (sh600000, sz000001, ...)\n"
              "  Stocks.dat  the quote service's last answer\n"
              "  Both live in $XDG_DATA_HOME/qelvo (~/.local/share/qelvo); a copy of the program\n"
              "  that is not installed keeps them beside itself when its folder is writable.\n"
              "\n"
              "Environment:\n"
              "  http_proxy, https_proxy, no_proxy  the proxy every request goes through\n"
              "  QT_QPA_PLATFORM                    the window system (xcb on X11 and XWayland)\n";
}

} // namespace

int AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    switch (line.request) {
    case CommandLineRequest::PrintVersion:
        out << "qelvo " << QelvoVersion << '\n';
        return 0;
    case CommandLineRequest::PrintHelp:
        PrintUsage(out);
        return 0;
    case CommandLineRequest::UnknownOption:
        err << "qelvo: unknown option " << line.unknownOption << "\n\n";
        PrintUsage(err);
        return 2;
    case CommandLineRequest::StartWidget:
        break;
    }
    return 0;
}
