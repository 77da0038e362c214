#pragma once
// Small helpers the program's windows share: their place and the path from an
// event handler to the error report. (Their modal run is nuv::RunFormModal.)

#include <functional>
#include <string>

class QWidget;

// Moves window so its centre is the centre of over (of the screen when over
// is null or hidden).
void CentreWindow(QWidget* window, const QWidget* over);

// Runs an event handler: an error it raises goes to the standard error report
// and the program goes on.
void RunHandler(const std::function<void()>& handler);

// GBK bytes of text written in the source (UTF-8).
std::string Gbk(const char* utf8);
