#include "SkinCtrlDM.h"

#include "BsCompressedStoredSkin.h"
#include "BsResourceStrData.h"
#include "BsStreams.h"
#include "Bsskindata.h"
#include "StoredSkin.h"

#include <string>

TSkinCtrlModule* SkinCtrlModule = nullptr;

namespace {
constexpr int GB2312_CHARSET = 134;
}

TSkinCtrlModule::TSkinCtrlModule(QObject* owner, std::future<TbsSkinPackage> preread)
    : QObject(owner)
{
    setObjectName(QStringLiteral("SkinCtrlModule"));

    // Components first, as a stored module creates them; the skin data's
    // references are set last so that assigning the stored skin loads a
    // complete one.
    bsCompressedStoredSkin1 = new TbsCompressedStoredSkin(this);
    bsCompressedStoredSkin1->setObjectName(QStringLiteral("bsCompressedStoredSkin1"));
    TMemoryStream stored { std::string(StoredSkinFileBytes()) };
    bsCompressedStoredSkin1->LoadFromCompressStream(stored);
    bsCompressedStoredSkin1->SetCompressedFileName("Vadar2.ure");
    if (preread.valid())
        bsCompressedStoredSkin1->SetReadPackage(preread.get()); // its read error travels on

    bsResourceStrData1 = new TbsResourceStrData(this);
    bsResourceStrData1->setObjectName(QStringLiteral("bsResourceStrData1"));
    bsResourceStrData1->ResStrings = TbsResourceStrData::SystemResStrings();
    bsResourceStrData1->CharSet = GB2312_CHARSET;

    bsSkinData1 = new TbsSkinData(this);
    bsSkinData1->setObjectName(QStringLiteral("bsSkinData1"));
    // Restoring: the stored property values announce nothing.
    bsSkinData1->SetRestoring(true);
    bsSkinData1->SetSkinnableForm(true);
    bsSkinData1->SetEnableSkinEffects(true);
    bsSkinData1->SetSkinIndex(0);
    bsSkinData1->SetRestoring(false);
    bsSkinData1->SetResourceStrData(bsResourceStrData1);
    bsSkinData1->SetCompressedStoredSkin(bsCompressedStoredSkin1);
}

std::future<TbsSkinPackage> ReadProgramSkinInBackground()
{
    // The stored skin object is made here, on the program's main thread: the
    // first thread that makes a Qt object becomes Qt's main thread. The worker
    // makes none.
    TbsCompressedStoredSkin stored;
    TMemoryStream bytes { std::string(StoredSkinFileBytes()) };
    stored.LoadFromCompressStream(bytes);
    return std::async(std::launch::async,
        [compressed = stored.CompressedData()] { return ReadCompressedSkinPackage(compressed); });
}

TSkinCtrlModule::~TSkinCtrlModule()
{
    if (SkinCtrlModule == this)
        SkinCtrlModule = nullptr;
}
