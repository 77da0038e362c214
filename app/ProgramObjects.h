#pragma once
// The program's lasting objects: the skin module, the main window, the option
// dialog and the chart window. They are made in that order (each later one
// uses the earlier ones through the globals) and destroyed in the reverse
// order; the globals point at them in between. Before them, the temporary
// files a killed run left beside the code list and the quote file go. The
// option dialog and the chart window are made right after the main window's
// first paint (or when one is asked for before): the start-up shows the main
// window first.

#include "MainFormFM.h"
#include "SkinCtrlDM.h"

#include <future>
#include <memory>
#include <string>

class TChartForm;
class TOptionForm;
class TSkinCtrlModule;

class TProgramObjects {
public:
    // skin: the program's skin package being read (ReadProgramSkinInBackground).
    explicit TProgramObjects(const TMainFormFiles& files = {}, std::future<TbsSkinPackage> skin = {});
    ~TProgramObjects();
    TProgramObjects(const TProgramObjects&) = delete;
    TProgramObjects& operator=(const TProgramObjects&) = delete;

private:
    void MakeDialogs(const std::string& codeFile);

    std::unique_ptr<TSkinCtrlModule> skinModule_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TOptionForm> optionForm_;
    std::unique_ptr<TChartForm> chartForm_;
};
