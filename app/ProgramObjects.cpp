#include "ProgramObjects.h"

#include "ChartFormFM.h"
#include "NuvFiles.h"
#include "OptionFormFM.h"
#include "SkinCtrlDM.h"

TProgramObjects::TProgramObjects(const TMainFormFiles& files)
{
    // A run killed while saving or downloading left its temporary file behind.
    nuv::RemoveStaleTemporaryFiles(files.codeFile);
    nuv::RemoveStaleTemporaryFiles(files.quoteFile);
    skinModule_ = std::make_unique<TSkinCtrlModule>();
    SkinCtrlModule = skinModule_.get();
    mainForm_ = std::make_unique<TMainForm>(nullptr, files);
    MainForm = mainForm_.get();
    optionForm_ = std::make_unique<TOptionForm>(MainForm, files.codeFile);
    OptionForm = optionForm_.get();
    chartForm_ = std::make_unique<TChartForm>(MainForm);
    ChartForm = chartForm_.get();
}

TProgramObjects::~TProgramObjects()
{
    chartForm_.reset();
    ChartForm = nullptr;
    optionForm_.reset();
    OptionForm = nullptr;
    mainForm_.reset();
    MainForm = nullptr;
    skinModule_.reset();
    SkinCtrlModule = nullptr;
}
