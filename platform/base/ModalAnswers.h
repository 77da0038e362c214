#pragma once
// Answers set beforehand for message boxes and modal dialogs. Every message box
// and modal dialog of the program takes the next queued answer, if there is
// one, instead of running its modal loop, so a test never waits on one. The
// program itself never queues an answer.

#include <optional>
#include <string>

namespace modal {

// Queues answer (a button or dialog result code) for the next modal run.
void PushAnswer(int answer);
// The next queued answer, taken off the queue; none when nothing is queued.
// The caption of the box or dialog that takes it is remembered for tests.
std::optional<int> TakeAnswer(const std::string& caption);
// How many answers are still queued, and the captions of the runs that took one.
int PendingAnswers();
const std::string& LastAnsweredCaption();
void ClearAnswers();

} // namespace modal
