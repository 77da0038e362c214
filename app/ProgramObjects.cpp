#include "ProgramObjects.h"

#include "ChartFormFM.h"
#include "ChineseFonts.h"
#include "NuvFiles.h"
#include "OptionFormFM.h"
#include "SkinCtrlDM.h"

#include <QFontMetrics>

TProgramObjects::TProgramObjects(const TMainFormFiles& files, std::future<TbsSkinPackage> skin)
{
    // A run killed while saving or downloading left its temporary file behind.
    nuv::RemoveStaleTemporaryFiles(files.codeFile);
    nuv::RemoveStaleTemporaryFiles(files.quoteFile);
    // While the skin is still being read on its worker thread, the main
    // window's font is made ready (the desktop's Chinese face opened).
    if (skin.valid())
        QFontMetrics(ChineseFont(14)).height();
    skinModule_ = std::make_unique<TSkinCtrlModule>(nullptr, std::move(skin));
    SkinCtrlModule = skinModule_.get();
    mainForm_ = std::make_unique<TMainForm>(nullptr, files);
    MainForm = mainForm_.get();
    MainForm->MakeLaterWindows = [this, codeFile = files.codeFile] { MakeDialogs(codeFile); };
}

void TProgramObjects::MakeDialogs(const std::string& codeFile)
{
    optionForm_ = std::make_unique<TOptionForm>(MainForm, codeFile);
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
