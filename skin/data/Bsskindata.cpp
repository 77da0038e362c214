#include "Bsskindata.h"

#include "BsBitmapFile.h"
#include "BsIniFile.h"
#include "BsSkinSectionIO.h"
#include "Exception.h"
#include "Format.h"

#include <algorithm>

namespace {

// The count of a [SKINOBJECTS] or [SKINCONTROLS] list. A count no skin could
// mean is refused before anything changes rather than walked.
int ListCount(const TbsIniFile& ini, const char* section)
{
    const int count = ini.ReadInteger(section, "count", 0);
    if (count > MaxIniListCount)
        throw EListError(Format("List index out of bounds (%d)", count));
    return std::max(count, 0);
}

template <typename Entry, typename Factory>
void ReadEntryList(
    const TbsIniFile& ini, const char* section, Factory create, std::vector<std::unique_ptr<Entry>>& list)
{
    const int count = ListCount(ini, section);
    for (int i = 0; i < count; ++i) {
        const TbsListEntry entry = SplitListEntry(ini.ReadString(section, std::to_string(i)));
        // A type word no class answers to is skipped: newer skins may carry more kinds.
        if (std::unique_ptr<Entry> item = create(entry.Type, entry.Name)) {
            item->LoadFromFile(ini);
            list.push_back(std::move(item));
        }
    }
}

template <typename Entry>
void WriteEntryList(TbsIniFile& ini, const char* section, const std::vector<std::unique_ptr<Entry>>& list)
{
    ini.WriteInteger(section, "count", static_cast<int>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        ini.WriteString(section, std::to_string(i), list[i]->IDName + ":" + list[i]->TypeWord());
    for (const auto& item : list)
        item->SaveToFile(ini);
}

template <typename Entry>
int IndexByName(const std::vector<std::unique_ptr<Entry>>& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return static_cast<int>(i);
    return -1;
}

} // namespace

// --- skin list

TbsSkinListItem::TbsSkinListItem(std::string name)
    : Name(std::move(name))
    , skin_(std::make_unique<TbsCompressedStoredSkin>())
{
}

TbsSkinListItem::~TbsSkinListItem() = default;

TbsCompressedSkinList::TbsCompressedSkinList(QObject* owner)
    : QObject(owner)
{
}

TbsCompressedSkinList::~TbsCompressedSkinList() = default;

TbsSkinListItem& TbsCompressedSkinList::Item(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    return *items_[static_cast<std::size_t>(index)];
}

TbsSkinListItem& TbsCompressedSkinList::Add()
{
    items_.push_back(std::make_unique<TbsSkinListItem>(Format("bsSkin%d", Count())));
    return *items_.back();
}

void TbsCompressedSkinList::Delete(int index)
{
    Item(index); // range check
    items_.erase(items_.begin() + index);
}

void TbsCompressedSkinList::Clear()
{
    items_.clear();
}

// --- skin data

TbsSkinData::TbsSkinData(QObject* owner)
    : QObject(owner)
{
}

TbsSkinData::~TbsSkinData() = default;

void TbsSkinData::SetSkinnableForm(bool value)
{
    if (skinnableForm_ == value)
        return;
    skinnableForm_ = value;
    if (!restoring_)
        SendSkinDataMessage(SKIN_MSG_SKINNABLE_CHANGE);
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value)
{
    compressedStoredSkin_ = value;
    if (value)
        LoadCompressedStoredSkin(value);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* value)
{
    resourceStrData_ = value;
    SendSkinDataMessage(SKIN_MSG_RESSTR_CHANGE);
}

void TbsSkinData::SetSkinList(TbsCompressedSkinList* value)
{
    skinList_ = value;
    if (value && skinIndex_ >= 0 && skinIndex_ < value->Count())
        LoadCompressedStoredSkin(&value->Item(skinIndex_).Skin());
}

void TbsSkinData::SetSkinIndex(int value)
{
    if (value == skinIndex_)
        return;
    if (!skinList_) {
        skinIndex_ = value;
        return;
    }
    if (value < 0 || value >= skinList_->Count())
        return;
    skinIndex_ = value;
    LoadCompressedStoredSkin(&skinList_->Item(value).Skin());
}

// --- announcements

void TbsSkinData::SendSkinDataMessage(int message)
{
    emit SkinDataMessage(message);
}

void TbsSkinData::BeginSkinChange()
{
    empty_ = true;
    skinChanging_ = true;
    SendSkinDataMessage(SKIN_MSG_BEFORE_CHANGE);
    ClearAll();
}

void TbsSkinData::EndSkinChange()
{
    SendSkinDataMessage(SKIN_MSG_CHANGE);
    skinChanging_ = false;
    SendSkinDataMessage(SKIN_MSG_AFTER_CHANGE);
}

// --- clearing and loading

void TbsSkinData::ClearAll()
{
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    ActivePictureNames.clear();
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    SkinColors.SetColorsToDefault();
    Picture = QImage();
    InActivePicture = QImage();
    Mask = QImage();
    PictureName.clear();
    // Cleared too, so a cleared skin never saves the name of a picture it lacks.
    InActivePictureName.clear();
    MaskName.clear();
}

void TbsSkinData::ClearSkin()
{
    BeginSkinChange();
    EndSkinChange();
}

void TbsSkinData::LoadCompressedStoredSkin(const TbsCompressedStoredSkin* storedSkin)
{
    if (!storedSkin || storedSkin->GetEmpty())
        return;
    ApplyPackage(storedSkin->ReadPackage());
}

void TbsSkinData::LoadFromCompressedFile(const std::string& path)
{
    TbsCompressedStoredSkin storedSkin;
    storedSkin.LoadFromCompressFile(path);
    LoadCompressedStoredSkin(&storedSkin);
}

void TbsSkinData::LoadFromFile(const std::string& iniPath)
{
    std::optional<TbsSkinPackage> package = BuildSkinPackageFromFolder(iniPath);
    if (package)
        ApplyPackage(std::move(*package));
}

void TbsSkinData::ApplyPackage(TbsSkinPackage&& package)
{
    if (!package.IsReadable()) {
        // A skin of a newer format: nothing of it is understood.
        BeginSkinChange();
        EndSkinChange();
        return;
    }

    // The text moves into the parser: one copy of it, however long.
    const TbsIniFile ini(std::move(package.IniText));
    std::vector<std::string> activeNames = ini.ReadNameList("PICTURES", "activepictures");
    ListCount(ini, "SKINOBJECTS");
    ListCount(ini, "SKINCONTROLS");

    BeginSkinChange();

    TbsSkinIniReader reader(ini);
    reader.SetSection("VERSION");
    reader.String("skinname", SkinName);
    reader.String("skinauthor", SkinAuthor);
    reader.String("authoremail", AuthorEmail);
    reader.String("authorurl", AuthorURL);
    reader.String("skincomments", SkinComments);

    PictureName = ini.ReadString("PICTURES", "picture");
    InActivePictureName = ini.ReadString("PICTURES", "inactivepicture");
    MaskName = ini.ReadString("PICTURES", "mask");
    Picture = std::move(package.Picture);
    InActivePicture = std::move(package.InActivePicture);
    Mask = std::move(package.Mask);
    ActivePictures = std::move(package.ActivePictures);
    // The names travel with the pictures; keep both lists the same length.
    activeNames.resize(ActivePictures.size());
    ActivePictureNames = std::move(activeNames);

    ExchangeFormInfo(reader);
    CorrectFormInfo();
    PopupWindow.LoadFromFile(ini);
    HintWindow.LoadFromFile(ini);
    SkinColors.LoadFromFile(ini);
    ReadEntryList(ini, "SKINOBJECTS", &CreateSkinObject, ObjectList);
    ReadEntryList(ini, "SKINCONTROLS", &CreateSkinControl, CtrlList);

    empty_ = false;
    EndSkinChange();
}

void TbsSkinData::ExchangeFormInfo(TbsSkinSectionIO& io)
{
    io.SetSection("FORMINFO");
    io.Point("lefttoppoint", LTPoint);
    io.Point("righttoppoint", RTPoint);
    io.Point("leftbottompoint", LBPoint);
    io.Point("rightbottompoint", RBPoint);
    io.Rect("clientrect", ClRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
    io.Bool("leftstretch", LeftStretch);
    io.Bool("rightstretch", RightStretch);
    io.Bool("topstretch", TopStretch);
    io.Bool("bottomstretch", BottomStretch);
    io.Bool("stretcheffect", StretchEffect);
    io.StretchType("stretchtype", StretchType);
    io.Bool("mdibgstretcheffect", MDIBGStretchEffect);
    io.StretchType("mdibgstretchtype", MDIBGStretchType);
    io.Rect("maskrectarea", MaskRectArea);
    io.Point("hittestlefttoppoint", HitTestLTPoint);
    io.Point("hittestrighttoppoint", HitTestRTPoint);
    io.Point("hittestleftbottompoint", HitTestLBPoint);
    io.Point("hittestrightbottompoint", HitTestRBPoint);
    io.Rect("buttonsrect", ButtonsRect);
    io.Rect("captionrect", CaptionRect);
    io.Integer("buttonsoffset", ButtonsOffset);
    io.Bool("buttonsinleft", ButtonsInLeft);
    io.Bool("mainmenupopupup", MainMenuPopupUp);
    io.Integer("borderwidth", BorderW);
    io.Bool("autorenderinginactiveimage", AutoRenderingInActiveImage);
    io.InActiveEffect("inactiveeffect", InActiveEffect);
    io.Integer("formminwidth", FormMinWidth);
    io.Bool("mditabstransparent", MDITabsTransparent);
    io.Bool("mainmenubartransparent", MainMenuBarTransparent);
}

void TbsSkinData::CorrectFormInfo()
{
    if (!MaskName.empty()) {
        // The part of the shape that grows with the window holds at least the client area.
        if (MaskRectArea.IsNull()) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        const QPoint origin(0, 0);
        if (HitTestLTPoint == origin)
            HitTestLTPoint = LTPoint;
        if (HitTestRTPoint == origin)
            HitTestRTPoint = RTPoint;
        if (HitTestLBPoint == origin)
            HitTestLBPoint = LBPoint;
        if (HitTestRBPoint == origin)
            HitTestRBPoint = RBPoint;
    }
    // Corner pieces never reach into the client area, unless the frame has no
    // corners to cut at all.
    if (RBPoint.x() != LTPoint.x() && RBPoint.y() != LTPoint.y()) {
        LTPoint.setX(std::max(LTPoint.x(), ClRect.Left));
        LBPoint.setX(std::max(LBPoint.x(), ClRect.Left));
        RTPoint.setX(std::min(RTPoint.x(), ClRect.Right));
        RBPoint.setX(std::min(RBPoint.x(), ClRect.Right));
        LTPoint.setY(std::max(LTPoint.y(), ClRect.Top));
        RTPoint.setY(std::max(RTPoint.y(), ClRect.Top));
        LBPoint.setY(std::min(LBPoint.y(), ClRect.Bottom));
        RBPoint.setY(std::min(RBPoint.y(), ClRect.Bottom));
    }
}

// --- saving

void TbsSkinData::SaveToCustomIniFile(TbsIniFile& ini) const
{
    ini.WriteInteger("VERSION", "ver", 1);
    ini.WriteString("VERSION", "skinname", SkinName);
    ini.WriteString("VERSION", "skinauthor", SkinAuthor);
    ini.WriteString("VERSION", "authoremail", AuthorEmail);
    ini.WriteString("VERSION", "authorurl", AuthorURL);
    ini.WriteString("VERSION", "skincomments", SkinComments);

    ini.WriteString("PICTURES", "picture", PictureName);
    ini.WriteString("PICTURES", "inactivepicture", InActivePictureName);
    ini.WriteString("PICTURES", "mask", MaskName);
    ini.WriteNameList("PICTURES", "activepictures", ActivePictureNames);

    // The key walk takes fields by reference; the writer leaves them as they are.
    TbsSkinIniWriter writer(ini);
    const_cast<TbsSkinData*>(this)->ExchangeFormInfo(writer);
    PopupWindow.SaveToFile(ini);
    HintWindow.SaveToFile(ini);
    SkinColors.SaveToFile(ini);
    WriteEntryList(ini, "SKINOBJECTS", ObjectList);
    WriteEntryList(ini, "SKINCONTROLS", CtrlList);
}

void TbsSkinData::SaveToFile(const std::string& iniPath) const
{
    TbsIniFile ini;
    SaveToCustomIniFile(ini);
    ini.SaveToFile(iniPath);
}

void TbsSkinData::StoreToDisk(const std::string& iniPath) const
{
    // Pictures go beside the INI file under their recorded names. A name's
    // folder part is dropped, in the files and in the INI text alike, so a
    // skin never writes outside that folder and the folder reloads as saved.
    std::vector<std::string> activeNames;
    for (const std::string& name : ActivePictureNames)
        activeNames.push_back(SkinFileName(name));
    TbsIniFile ini;
    SaveToCustomIniFile(ini);
    ini.WriteString("PICTURES", "picture", SkinFileName(PictureName));
    ini.WriteString("PICTURES", "inactivepicture", SkinFileName(InActivePictureName));
    ini.WriteString("PICTURES", "mask", SkinFileName(MaskName));
    ini.WriteNameList("PICTURES", "activepictures", activeNames);
    ini.SaveToFile(iniPath);

    const std::string folder = SkinFileFolder(iniPath);
    auto store = [&folder](const QImage& picture, const std::string& name) {
        if (!picture.isNull() && !name.empty())
            SaveBitmapFile(picture, folder + name);
    };
    store(Picture, SkinFileName(PictureName));
    store(InActivePicture, SkinFileName(InActivePictureName));
    store(Mask, SkinFileName(MaskName));
    for (std::size_t i = 0; i < ActivePictures.size() && i < activeNames.size(); ++i)
        store(ActivePictures[i], activeNames[i]);
}

void TbsSkinData::SaveToCompressedFile(const std::string& path) const
{
    TbsCompressedStoredSkin storedSkin;
    storedSkin.LoadFromSkinData(*this);
    storedSkin.SaveToCompressFile(path);
}

// --- lookups and the picture library

int TbsSkinData::GetIndex(const std::string& name) const
{
    return IndexByName(ObjectList, name);
}

int TbsSkinData::GetControlIndex(const std::string& name) const
{
    return IndexByName(CtrlList, name);
}

void TbsSkinData::GetObjectTypeName(const std::string& entry, std::string& name, std::string& type)
{
    TbsListEntry split = SplitListEntry(entry);
    name = std::move(split.Name);
    type = std::move(split.Type);
}

const QImage* TbsSkinData::GetActivePicture(int index) const
{
    if (index < 0 || index >= static_cast<int>(ActivePictures.size()))
        return nullptr;
    return &ActivePictures[static_cast<std::size_t>(index)];
}

void TbsSkinData::AddBitMap(const std::string& path)
{
    QImage picture = LoadBitmapFile(path);
    ChangeLibrary([&] {
        ActivePictures.push_back(std::move(picture));
        ActivePictureNames.push_back(SkinFileName(path));
    });
}

void TbsSkinData::DeleteBitMap(int index)
{
    if (index < 0 || index >= static_cast<int>(ActivePictures.size()))
        throw EListError(Format("List index out of bounds (%d)", index));
    ChangeLibrary([&] {
        ActivePictures.erase(ActivePictures.begin() + index);
        if (index < static_cast<int>(ActivePictureNames.size()))
            ActivePictureNames.erase(ActivePictureNames.begin() + index);
    });
}

void TbsSkinData::ChangeLibrary(const std::function<void()>& change)
{
    // Announced like a skin change, but nothing is cleared: windows let go of
    // what they built from the library before it moves, and rebuild after.
    skinChanging_ = true;
    SendSkinDataMessage(SKIN_MSG_BEFORE_CHANGE);
    change();
    SendSkinDataMessage(SKIN_MSG_CHANGE);
    skinChanging_ = false;
    SendSkinDataMessage(SKIN_MSG_AFTER_CHANGE);
}

TbsSkinPackage TbsSkinData::MakeSkinPackage() const
{
    TbsSkinPackage package;
    package.Picture = Picture;
    package.InActivePicture = InActivePicture;
    package.Mask = Mask;
    package.ActivePictures = ActivePictures;

    TbsIniFile ini;
    SaveToCustomIniFile(ini);
    package.IniText = ini.Text();
    return package;
}
