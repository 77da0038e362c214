// The program: the skin module, the main window, the option dialog and the
// chart window, alive until the message loop ends.

#include "ChartFormFM.h"
#include "ErrorReport.h"
#include "MainFormFM.h"
#include "NuvGui.h"
#include "OptionFormFM.h"
#include "QelvoApplication.h"
#include "SkinCtrlDM.h"

#include <memory>

int main(int argc, char** argv)
{
    PreferX11OnWayland();
    TQelvoApplication app(argc, argv);
    try {
        QApplication::setApplicationDisplayName(QStringLiteral("Qelvo桌面股票"));
        QApplication::setApplicationName(QStringLiteral("qelvo"));
        QApplication::setQuitOnLastWindowClosed(false); // the tray icon keeps the program
        nuv::InstallStandardErrorReport();
        InstallProgramWindowShowing();

        auto skinModule = std::make_unique<TSkinCtrlModule>();
        SkinCtrlModule = skinModule.get();
        auto mainForm = std::make_unique<TMainForm>();
        MainForm = mainForm.get();
        auto optionForm = std::make_unique<TOptionForm>(MainForm);
        OptionForm = optionForm.get();
        auto chartForm = std::make_unique<TChartForm>(MainForm);
        ChartForm = chartForm.get();
        MainForm->show();
        app.exec();

        chartForm.reset();
        ChartForm = nullptr;
        optionForm.reset();
        OptionForm = nullptr;
        mainForm.reset();
        skinModule.reset();
        SkinCtrlModule = nullptr;
    } catch (...) {
        ShowErrorReport(TQelvoApplication::MessageOf(std::current_exception()));
    }
    return 0;
}
