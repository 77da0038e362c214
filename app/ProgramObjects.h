#pragma once
// The program's lasting objects: the skin module, the main window, the option
// dialog and the chart window. They are made in that order (each later one
// uses the earlier ones through the globals) and destroyed in the reverse
// order; the globals point at them in between. Before them, the temporary
// files a killed run left beside the code list and the quote file go.

#include "MainFormFM.h"

#include <memory>

class TChartForm;
class TOptionForm;
class TSkinCtrlModule;

class TProgramObjects {
public:
    explicit TProgramObjects(const TMainFormFiles& files = {});
    ~TProgramObjects();
    TProgramObjects(const TProgramObjects&) = delete;
    TProgramObjects& operator=(const TProgramObjects&) = delete;

private:
    std::unique_ptr<TSkinCtrlModule> skinModule_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TOptionForm> optionForm_;
    std::unique_ptr<TChartForm> chartForm_;
};
