// The main of widget tests: one QApplication for the whole program, made
// before any test runs, so every test may create windows.
#include "QMenuPresenter.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Without a display (as when CTest lists the tests) run headless.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    InstallPlainMenuPresenter();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
