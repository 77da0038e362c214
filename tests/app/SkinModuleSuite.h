#pragma once
// A suite whose windows share one skin module, made once for the suite as
// the program makes it once for its run.

#include "SkinCtrlDM.h"

#include <gtest/gtest.h>

class SkinModuleSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SkinCtrlModule = new TSkinCtrlModule; }
    static void TearDownTestSuite()
    {
        delete SkinCtrlModule;
        SkinCtrlModule = nullptr;
    }
};
