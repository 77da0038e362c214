#pragma once
// The skin module: holds the program's one skin and the skin engine's
// user-interface words. Every skinned window and control of the program
// names its bsSkinData1 as their skin data.

#include <QObject>

class TbsSkinData;
class TbsCompressedStoredSkin;
class TbsResourceStrData;

class TSkinCtrlModule : public QObject {
    Q_OBJECT
public:
    // Builds the three components; the stored skin is loaded into the skin
    // data before this returns, so windows created afterwards are skinned.
    // A damaged embedded skin raises the engine's load error.
    explicit TSkinCtrlModule(QObject* owner = nullptr);
    ~TSkinCtrlModule() override;

    TbsSkinData* bsSkinData1 = nullptr;
    TbsCompressedStoredSkin* bsCompressedStoredSkin1 = nullptr;
    TbsResourceStrData* bsResourceStrData1 = nullptr;
};

// Created by the entry routine before any window and alive until the end.
extern TSkinCtrlModule* SkinCtrlModule;
