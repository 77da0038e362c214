#pragma once
// Small helpers the program's windows share: their place, the modal run of a form and the path from an event
// handler to the error report.

#include <functional>
#include <string>

class QWidget;

// Moves window so its centre is the centre of over (of the screen when over
// is null or hidden).
void CentreWindow(QWidget* window, const QWidget* over);

// Runs an event handler: an error it raises goes to the standard error report
// and the program goes on.
void RunHandler(const std::function<void()>& handler);

// Shows form modally (other windows take no input) and returns once it is
// hidden or destroyed. A queued modal answer under the form's title ends it
// before it shows and is returned; otherwise the result is 0.
int RunModal(QWidget* form);

// GBK bytes of text written in the source (UTF-8).
std::string Gbk(const char* utf8);
