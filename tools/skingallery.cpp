// Opens a skinned window with the program's skin for screenshots and for
// looking at the frame by hand: client 306 x 300 with the main window's frame
// settings unless another window kind is chosen.
//
// Usage: skingallery [--kind main|options|chart|about] [--no-skin]
//                    [--screenshot <file.png>] [--quit-after <seconds>]
// --screenshot grabs the screen around the window once it is shown and quits.

#include "Bsskinform.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

// The frame settings of the program's four windows.
void ApplyKind(TbsSkinForm& form, const QString& kind)
{
    if (kind == u"options") {
        form.SetBorderStyle(bsSingle);
        form.SetHideCaptionButtons(true);
        form.SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    } else if (kind == u"chart") {
        form.SetBorderStyle(bsSingle);
        form.SetDisableSystemMenu(true);
        form.SetBorderIcons(biSystemMenu);
    } else if (kind == u"about") {
        form.SetBorderStyle(bsSizeable);
        form.SetDisableSystemMenu(true);
        form.SetBorderIcons(biSystemMenu);
    } else {
        form.SetBorderStyle(bsSizeable);
        form.SetHideCaptionButtons(true);
        form.MainWindow = true;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(
        { u"kind"_qs, u"Window kind: main, options, chart or about."_qs, u"kind"_qs, u"main"_qs });
    parser.addOption({ u"no-skin"_qs, u"Show the built-in frame."_qs });
    parser.addOption({ u"screenshot"_qs, u"Grab the window into this PNG file and quit."_qs, u"file"_qs });
    parser.addOption({ u"quit-after"_qs, u"Quit after this many seconds."_qs, u"seconds"_qs });
    parser.process(app);

    TSkinCtrlModule module;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qelvo桌面股票"));
    auto* form = new TbsSkinForm(&window);
    ApplyKind(*form, parser.value(u"kind"_qs));
    if (!parser.isSet(u"no-skin"_qs))
        form->SetSkinData(module.bsSkinData1);
    form->SetClientWidth(306);
    form->SetClientHeight(300);

    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("client 306 × 300"), &window);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    window.move(40, 40);
    window.show();

    if (parser.isSet(u"screenshot"_qs)) {
        const QString file = parser.value(u"screenshot"_qs);
        QTimer::singleShot(700, &app, [&app, &window, file] {
            // The screen, not the widget: the shape and the frame as the window system shows them.
            const QRect r = window.geometry().adjusted(-10, -10, 10, 10);
            const QPixmap shot = window.screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height());
            const bool saved = shot.save(file);
            std::printf("%s %dx%d at %d,%d\n", saved ? "saved" : "could not save", window.width(),
                window.height(), window.x(), window.y());
            app.exit(saved ? 0 : 1);
        });
    }
    if (parser.isSet(u"quit-after"_qs))
        QTimer::singleShot(parser.value(u"quit-after"_qs).toInt() * 1000, &app, &QApplication::quit);
    return app.exec();
}
