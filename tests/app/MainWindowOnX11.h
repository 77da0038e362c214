#pragma once
// The main window made and shown on a real X server, for the X11 tests of the
// main window with and without a notification area: its files in a folder of
// the test's own, its requests answered by the loopback fake services, and
// what the window manager holds for it read with xprop.

#include "Bsskinmenus.h"
#include "LoopbackWeb.h"
#include "MainFormFM.h"
#include "SkinCtrlDM.h"
#include "SkinModuleSuite.h"
#include "TempDir.h"
#include "WaitUntil.h"
#include "X11Windows.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

class MainWindowOnX11 : public SkinModuleSuite {
protected:
    // Makes the main window on a code list of five and shows it.
    void ShowMainWindow()
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
        testsupport::WriteFile(
            dir.File("Stocks.cfg"), "sh000001\r\nsz399001\r\nsh600519\r\nsh601318\r\nsz000858\r\n");
        form = std::make_unique<TMainForm>(
            nullptr, TMainFormFiles { dir.File("Stocks.dat"), dir.File("Stocks.cfg"), maker });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        if (form)
            form->pmMainMenu->Engine()->CloseMenu(0);
        form.reset();
    }

    WId Id() const { return form->windowHandle()->winId(); }
    // The window manager's state atoms of the main window.
    QString State() const { return testsupport::WindowState(Id()); }
    bool StateHas(const char* atom) const { return State().contains(QLatin1String(atom)); }

    // Minimizes the window through the window manager; the manager may still
    // be taking a new window over, so it is asked until it minimizes.
    static bool MinimizeByWindowManager(QWidget* window)
    {
        const QString id = QString::number(window->windowHandle()->winId());
        for (int attempt = 0; attempt < 5 && !window->isMinimized(); ++attempt) {
            testsupport::RunTool(QStringLiteral("xdotool"), { QStringLiteral("windowminimize"), id });
            testsupport::WaitUntil([&] { return window->isMinimized(); }, 1000);
        }
        return window->isMinimized();
    }

    fakes::FakeServices services;
    fakes::LoopbackWeb web { services };
    testsupport::TempDir dir;
    TMakerAddresses maker; // none: no web start-up step
    std::unique_ptr<TMainForm> form;
};
