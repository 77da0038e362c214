// The program: the skin module, the main window, the option dialog and the
// chart window, alive until the message loop ends. One runs per user and data
// folder: a second start shows the first one's window and ends.

#include "CommandLine.h"
#include "MainFormFM.h"
#include "ProgramFolder.h"
#include "ProgramInstance.h"
#include "ProgramObjects.h"
#include "QelvoApplication.h"
#include "SkinCtrlDM.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (const CommandLine line = ReadCommandLine(argc, argv); line.request != CommandLineRequest::StartWidget)
        return AnswerCommandLine(line, std::cout, std::cerr);
    PreferX11OnWayland();
    TProgramInstance instance(ProgramDataFolder());
    if (!instance.First()) {
        instance.AskFirstToShow();
        return 0;
    }
    std::future<TbsSkinPackage> skin = ReadProgramSkinInBackground();
    return RunEntryRoutine(argc, argv, [&](TQelvoApplication& app) {
        TProgramObjects program({}, std::move(skin));
        instance.Serve([] { MainForm->mmShowClick(nullptr); });
        MainForm->show();
        return app.exec();
    });
}
