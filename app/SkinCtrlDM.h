#pragma once
// The skin module: holds the program's one skin and the skin engine's
// user-interface words. Every skinned window and control of the program
// names its bsSkinData1 as their skin data.

#include "BsSkinPackage.h"

#include <QObject>

#include <future>

class TbsSkinData;
class TbsCompressedStoredSkin;
class TbsResourceStrData;

class TSkinCtrlModule : public QObject {
    Q_OBJECT
public:
    // Builds the three components; the stored skin is loaded into the skin
    // data before this returns, so windows created afterwards are skinned.
    // A damaged embedded skin raises the engine's load error. preread: the
    // package ReadProgramSkinInBackground is reading, taken instead of
    // reading the stored skin here.
    explicit TSkinCtrlModule(QObject* owner = nullptr, std::future<TbsSkinPackage> preread = {});
    ~TSkinCtrlModule() override;

    TbsSkinData* bsSkinData1 = nullptr;
    TbsCompressedStoredSkin* bsCompressedStoredSkin1 = nullptr;
    TbsResourceStrData* bsResourceStrData1 = nullptr;
};

// Created by the entry routine before any window and alive until the end.
extern TSkinCtrlModule* SkinCtrlModule;

// Starts inflating and decoding the program's stored skin on a worker thread,
// so that work overlaps the application's start (platform, fonts) instead of
// following it. The skin module takes the result.
std::future<TbsSkinPackage> ReadProgramSkinInBackground();
