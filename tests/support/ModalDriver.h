#pragma once
// Drives a real modal run from inside its loop: waits for the application's
// active modal widget to appear, hands it to the test, and so never leaves a
// test hanging on a box nobody closes: the test closes it in its callback, and
// whatever the callback left open is closed right after.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

class ModalDriver {
public:
    explicit ModalDriver(std::function<void(QWidget* modal)> onModal)
        : onModal_(std::move(onModal))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timer_.stop();
                onModal_(modal);
                QTimer::singleShot(0, modal, [modal] {
                    if (modal->isVisible())
                        modal->close();
                });
            }
        });
        timer_.start(5);
    }
    bool Fired() const { return !timer_.isActive(); }

private:
    std::function<void(QWidget*)> onModal_;
    QTimer timer_;
};
