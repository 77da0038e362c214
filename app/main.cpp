// The program: the skin module, the main window, the option dialog and the
// chart window, alive until the message loop ends.

#include "CommandLine.h"
#include "ErrorReport.h"
#include "MainFormFM.h"
#include "ProgramObjects.h"
#include "QelvoApplication.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (const CommandLine line = ReadCommandLine(argc, argv); line.request != CommandLineRequest::StartWidget)
        return AnswerCommandLine(line, std::cout, std::cerr);
    PreferX11OnWayland();
    TQelvoApplication app(argc, argv);
    try {
        SetUpProgramApplication();
        TProgramObjects program;
        MainForm->show();
        app.exec();
    } catch (...) {
        ShowErrorReport(ErrorMessageOf(std::current_exception()));
    }
    return 0;
}
