#pragma once
// Delivers a skin data component's announcements (1225, 1226, 1227, 1274,
// 1294) to the windows and controls that draw from it. Live frames and
// controls register themselves; each announcement goes synchronously to the
// skin data's owner first (when that is a widget), then to every registered
// receiver in the order they registered.

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <vector>

class TbsSkinData;

// One announcement, delivered with QCoreApplication::sendEvent.
class TbsSkinDataEvent : public QEvent {
public:
    TbsSkinDataEvent(int message, TbsSkinData* sender)
        : QEvent(TypeOf(message))
        , message_(message)
        , sender_(sender)
    {
    }

    // The event type that carries a message number.
    static QEvent::Type TypeOf(int message) { return static_cast<QEvent::Type>(QEvent::User + message); }
    // The message number of an event, or 0 when it is no skin data announcement.
    static int MessageOf(const QEvent* event);

    int Message() const { return message_; }
    TbsSkinData* SkinData() const { return sender_; }
    int Param() const { return 1000; }

private:
    int message_;
    TbsSkinData* sender_;
};

class TbsSkinAnnouncer : public QObject {
    Q_OBJECT
public:
    // The announcer of a skin data component, made on first use as its child,
    // so it lives exactly as long as the skin data.
    static TbsSkinAnnouncer* Of(TbsSkinData* skinData);

    // A receiver is forgotten when it is destroyed; registering twice keeps one place.
    void Register(QObject* receiver);
    void Unregister(QObject* receiver);
    // Who gets an announcement, in delivery order.
    std::vector<QObject*> Receivers() const;

private:
    explicit TbsSkinAnnouncer(TbsSkinData* skinData);
    void Deliver(int message);

    TbsSkinData* skinData_;
    std::vector<QPointer<QObject>> receivers_;
};
