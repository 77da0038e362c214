#include "NuvSelfPopupMsgFormFM.h"

#include "NuvSelfPopupNewsFormFM.h"

#include <QLayout>
#include <QPlainTextEdit>

TNuvSelfPopupMsgForm::TNuvSelfPopupMsgForm(QWidget* parent)
    : QWidget(parent)
{
    SetUpPopupWindow(this, "消息");
    MemoMsg = new QPlainTextEdit(this);
    MemoMsg->setObjectName(QStringLiteral("MemoMsg"));
    MemoMsg->setFrameShape(QFrame::NoFrame);
    MemoMsg->setReadOnly(true);
    MemoMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout()->addWidget(MemoMsg);
}
