#pragma once
// The message window of the popup components: a small tool window captioned
// "消息" with only a close button, its client area filled by a read-only text
// box without border and with a vertical scroll bar.

#include <QWidget>

class QPlainTextEdit;

class TNuvSelfPopupMsgForm : public QWidget {
    Q_OBJECT
public:
    explicit TNuvSelfPopupMsgForm(QWidget* parent = nullptr);

    QPlainTextEdit* MemoMsg = nullptr;
};
