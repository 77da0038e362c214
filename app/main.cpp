// The program: the skin module, the main window, the option dialog and the
// chart window, alive until the message loop ends.

#include "MainFormFM.h"
#include "ProgramObjects.h"
#include "QelvoApplication.h"

int main(int argc, char** argv)
{
    PreferX11OnWayland();
    return RunEntryRoutine(argc, argv, [](TQelvoApplication& app) {
        TProgramObjects program;
        MainForm->show();
        return app.exec();
    });
}
