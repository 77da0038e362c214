#pragma once
// Answers for the message boxes and modal dialogs a test expects, queued
// before the code under test runs. Leaving the scope with answers still
// queued fails the test: the boxes it expected never came.

#include "ModalAnswers.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace testsupport {

class PresetAnswers {
public:
    PresetAnswers(std::initializer_list<int> answers)
    {
        modal::ClearAnswers();
        for (int answer : answers)
            modal::PushAnswer(answer);
    }
    ~PresetAnswers()
    {
        EXPECT_EQ(modal::PendingAnswers(), 0) << "a preset answer was never taken";
        modal::ClearAnswers();
    }
    PresetAnswers(const PresetAnswers&) = delete;
    PresetAnswers& operator=(const PresetAnswers&) = delete;
};

} // namespace testsupport
