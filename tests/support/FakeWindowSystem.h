#pragma once
// A window system for tests: installed for its lifetime, it records what the
// frame asked (system moves and resizes, shapes, stacking, program-wide
// minimize and restore), answers a work area, monitors and cursor position the
// test sets, and applies shapes to the widget so tests can look at them.

#include "WindowSystem.h"

#include <QWidget>

#include <string>
#include <vector>

namespace testsupport {

class FakeWindowSystem : public IWindowSystem {
public:
    struct Call {
        std::string What; // "move", "resize", "shape", "topmost", "belowall", "skiptaskbar", "alldesktops",
                          // "minimizeapp", "restoreapp"
        QWidget* Window = nullptr;
        Qt::Edges Edges = {};
        bool On = false;
    };

    FakeWindowSystem()
        : previous_(SetWindowSystem(this))
    {
    }
    ~FakeWindowSystem() override { SetWindowSystem(previous_); }
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    FakeWindowSystem& operator=(const FakeWindowSystem&) = delete;

    // Whether system moves and resizes are accepted (false: the caller does them itself).
    bool AcceptMoves = true;
    QRect Work { 0, 0, 1280, 994 };
    QRect Monitor { 0, 0, 1280, 1024 };
    QRect Primary { 0, 0, 1280, 1024 };
    QPoint Cursor { -1000, -1000 };
    bool SkipsTaskbarAtFirst = false;
    std::vector<Call> Calls;

    // The calls of one kind, in order.
    std::vector<Call> CallsOf(const std::string& what) const
    {
        std::vector<Call> found;
        for (const Call& call : Calls)
            if (call.What == what)
                found.push_back(call);
        return found;
    }

    bool StartSystemMove(QWidget* window) override
    {
        Calls.push_back({ "move", window, {}, AcceptMoves });
        return AcceptMoves;
    }
    bool StartSystemResize(QWidget* window, Qt::Edges edges) override
    {
        Calls.push_back({ "resize", window, edges, AcceptMoves });
        return AcceptMoves;
    }
    void SetShape(QWidget* window, const QRegion& region) override
    {
        Calls.push_back({ "shape", window, {}, !region.isEmpty() });
        if (region.isEmpty())
            window->clearMask();
        else
            window->setMask(region);
    }
    QRect WorkArea(const QWidget*) const override { return Work; }
    QRect MonitorRect(const QWidget*) const override { return Monitor; }
    QRect PrimaryMonitorRect() const override { return Primary; }
    QPoint CursorPos() const override { return Cursor; }
    void SetTopMost(QWidget* window, bool on) override { Calls.push_back({ "topmost", window, {}, on }); }
    void SetBelowAll(QWidget* window, bool on) override { Calls.push_back({ "belowall", window, {}, on }); }
    void SetSkipTaskbar(QWidget* window, bool on) override
    {
        Calls.push_back({ "skiptaskbar", window, {}, on });
    }
    // The last skip-taskbar wish for window, else SkipsTaskbarAtFirst.
    bool SkipsTaskbar(const QWidget* window) const override
    {
        bool skips = SkipsTaskbarAtFirst;
        for (const Call& call : Calls)
            if (call.What == "skiptaskbar" && call.Window == window)
                skips = call.On;
        return skips;
    }
    void SetOnAllDesktops(QWidget* window, bool on) override
    {
        Calls.push_back({ "alldesktops", window, {}, on });
    }
    void MinimizeApplication() override { Calls.push_back({ "minimizeapp", nullptr, {}, true }); }
    void RestoreApplication() override { Calls.push_back({ "restoreapp", nullptr, {}, true }); }

private:
    IWindowSystem* previous_;
};

} // namespace testsupport
