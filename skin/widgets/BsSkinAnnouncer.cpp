#include "BsSkinAnnouncer.h"

#include "Bsskindata.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int SkinMessages[] = { SKIN_MSG_BEFORE_CHANGE, SKIN_MSG_CHANGE, SKIN_MSG_AFTER_CHANGE,
    SKIN_MSG_RESSTR_CHANGE, SKIN_MSG_SKINNABLE_CHANGE };

} // namespace

int TbsSkinDataEvent::MessageOf(const QEvent* event)
{
    for (int message : SkinMessages)
        if (event->type() == TypeOf(message))
            return message;
    return 0;
}

TbsSkinAnnouncer* TbsSkinAnnouncer::Of(TbsSkinData* skinData)
{
    if (auto* existing = skinData->findChild<TbsSkinAnnouncer*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new TbsSkinAnnouncer(skinData);
}

TbsSkinAnnouncer::TbsSkinAnnouncer(TbsSkinData* skinData)
    : QObject(skinData)
    , skinData_(skinData)
{
    connect(skinData, &TbsSkinData::SkinDataMessage, this, &TbsSkinAnnouncer::Deliver, Qt::DirectConnection);
}

void TbsSkinAnnouncer::Register(QObject* receiver)
{
    Unregister(receiver);
    receivers_.emplace_back(receiver);
}

void TbsSkinAnnouncer::Unregister(QObject* receiver)
{
    receivers_.erase(std::remove_if(receivers_.begin(), receivers_.end(),
                         [receiver](const QPointer<QObject>& r) { return !r || r == receiver; }),
        receivers_.end());
}

std::vector<QObject*> TbsSkinAnnouncer::Receivers() const
{
    std::vector<QObject*> receivers;
    QWidget* owner = qobject_cast<QWidget*>(skinData_->parent());
    if (owner)
        receivers.push_back(owner);
    for (const QPointer<QObject>& receiver : receivers_)
        if (receiver && receiver != owner)
            receivers.push_back(receiver);
    return receivers;
}

void TbsSkinAnnouncer::Deliver(int message)
{
    // A receiver may close or delete other windows while it reacts.
    std::vector<QPointer<QObject>> receivers;
    for (QObject* receiver : Receivers())
        receivers.emplace_back(receiver);
    for (const QPointer<QObject>& receiver : receivers) {
        if (!receiver)
            continue;
        TbsSkinDataEvent event(message, skinData_);
        QCoreApplication::sendEvent(receiver, &event);
    }
}
