#include "NuvMessageBox.h"

#include "ErrorReport.h"
#include "GbkText.h"
#include "ModalAnswers.h"
#include "NuvForms.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

namespace {

enum class Buttons { Ok, OkCancel };

// Runs one modal box and answers with the result code of the button chosen.
int RunBox(const std::string& text, const std::string& caption, QWidget* owner, QMessageBox::Icon icon,
    Buttons buttons)
{
    if (const auto answer = modal::TakeAnswer(caption))
        return *answer;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;

    const bool twoButtons = buttons == Buttons::OkCancel;
    QMessageBox box(icon, GbkToQString(caption), GbkToQString(text),
        twoButtons ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
        owner ? owner : nuv::MainForm());
    // Modality first: setting it rewrites the window flags.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const QMessageBox::StandardButton safe = twoButtons ? QMessageBox::Cancel : QMessageBox::Ok;
    box.setDefaultButton(safe);
    // Escape and the close button choose Cancel on a two-button box.
    box.setEscapeButton(safe);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? nuv::IdOk : nuv::IdCancel;
}

} // namespace

namespace nuv {

int HintBox(const std::string& text, const std::string& caption, QWidget* owner)
{
    return RunBox(text, caption, owner, QMessageBox::Information, Buttons::Ok);
}

bool AskBox(const std::string& text, const std::string& caption, QWidget* owner)
{
    return RunBox(text, caption, owner, QMessageBox::Question, Buttons::OkCancel) == IdOk;
}

bool WarnBox(const std::string& text, const std::string& caption, QWidget* owner)
{
    return RunBox(text, caption, owner, QMessageBox::Warning, Buttons::OkCancel) == IdOk;
}

int ErrorBox(const std::string& text, const std::string& caption, QWidget* owner)
{
    return RunBox(text, caption, owner, QMessageBox::Critical, Buttons::Ok);
}

namespace {
    QString& Title()
    {
        static QString title;
        return title;
    }
} // namespace

void SetApplicationTitle(const QString& title)
{
    Title() = title;
}

QString ApplicationTitle()
{
    return Title();
}

ErrorReportHandler InstallStandardErrorReport()
{
    return SetErrorReportHandler([](const std::string& message) {
        const std::string title = QStringToGbk(ApplicationTitle());
        // Without an application to show it in, the report goes to stderr.
        if (RunBox(ErrorReportText(message), title, nullptr, QMessageBox::Critical, Buttons::Ok) == 0)
            std::cerr << ErrorReportText(message) << std::endl;
    });
}

} // namespace nuv
