#pragma once
// The skin data component: holds one loaded skin (frame pictures, picture
// library, window-frame values, pop-up and hint window skins, colours, the
// frame's skin objects and the control skins) and tells every window when it
// changes. Every skinned frame and control refers to one of these.

#include "BsCompressedStoredSkin.h"
#include "BsResourceStrData.h"
#include "BsSkinColors.h"
#include "BsSkinControls.h"
#include "BsSkinObjects.h"
#include "BsTypes.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TbsIniFile;
class TbsSkinData;
class TbsSkinSectionIO;

// The announcements a skin data component makes when its skin changes; the
// skin announcer of the widget layer delivers them to windows and controls.
constexpr int SKIN_MSG_BEFORE_CHANGE = 1225; // a load or clear begins
constexpr int SKIN_MSG_CHANGE = 1226; // the new skin is in place
constexpr int SKIN_MSG_AFTER_CHANGE = 1227; // right after 1226
constexpr int SKIN_MSG_RESSTR_CHANGE = 1274; // the resource strings were replaced
constexpr int SKIN_MSG_SKINNABLE_CHANGE = 1294; // SkinnableForm changed

// One entry of a skin list: a stored skin under the name "bsSkin<n>".
class TbsSkinListItem {
public:
    explicit TbsSkinListItem(std::string name);
    ~TbsSkinListItem();

    std::string Name;
    TbsCompressedStoredSkin& Skin() { return *skin_; }
    const TbsCompressedStoredSkin& Skin() const { return *skin_; }

private:
    std::unique_ptr<TbsCompressedStoredSkin> skin_;
};

// A list of stored skins a skin data component can choose from.
class TbsCompressedSkinList : public QObject {
    Q_OBJECT
public:
    explicit TbsCompressedSkinList(QObject* owner = nullptr);
    ~TbsCompressedSkinList() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // EListError for an index outside the list.
    TbsSkinListItem& Item(int index);
    // Appends an entry named after its position.
    TbsSkinListItem& Add();
    void Delete(int index);
    void Clear();

private:
    std::vector<std::unique_ptr<TbsSkinListItem>> items_;
};

class TbsSkinData : public QObject, public TbsSkinPackageSource {
    Q_OBJECT
public:
    explicit TbsSkinData(QObject* owner = nullptr);
    ~TbsSkinData() override;

    // --- properties
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool value); // sends 1294 on a change
    bool EnableSkinEffects() const { return enableSkinEffects_; }
    void SetEnableSkinEffects(bool value) { enableSkinEffects_ = value; }
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return compressedStoredSkin_; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* value); // loads it at once
    TbsResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TbsResourceStrData* value); // sends 1274
    TbsCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TbsCompressedSkinList* value); // loads entry SkinIndex
    int SkinIndex() const { return skinIndex_; }
    void SetSkinIndex(int value);
    // While the component is restored from its stored form, SkinnableForm
    // changes announce nothing.
    void SetRestoring(bool value) { restoring_ = value; }

    // --- state
    bool Empty() const { return empty_; }
    bool SkinChanging() const { return skinChanging_; }

    // --- loading and saving
    void LoadCompressedStoredSkin(const TbsCompressedStoredSkin* storedSkin);
    void LoadFromCompressedFile(const std::string& path);
    void LoadFromFile(const std::string& iniPath);
    void SaveToFile(const std::string& iniPath) const;
    void StoreToDisk(const std::string& iniPath) const;
    void SaveToCompressedFile(const std::string& path) const;
    // Writes every section of the loaded skin into ini.
    void SaveToCustomIniFile(TbsIniFile& ini) const;
    void ClearSkin();

    // --- lookups
    // First skin object / control skin whose IDName equals name exactly; -1 if none.
    int GetIndex(const std::string& name) const;
    int GetControlIndex(const std::string& name) const;
    // The control skin / skin object named name when it is of class T; null
    // when there is no such entry or it is of another type.
    template <typename T> const T* FindControl(const std::string& name) const
    {
        const int index = GetControlIndex(name);
        return index < 0 ? nullptr : dynamic_cast<const T*>(CtrlList[static_cast<size_t>(index)].get());
    }
    template <typename T> const T* FindObject(const std::string& name) const
    {
        const int index = GetIndex(name);
        return index < 0 ? nullptr : dynamic_cast<const T*>(ObjectList[static_cast<size_t>(index)].get());
    }
    static void GetObjectTypeName(const std::string& entry, std::string& name, std::string& type);
    // The library picture at index, or null for -1 and indices past the end.
    const QImage* GetActivePicture(int index) const;

    // --- picture library
    // Both announce the change (1225 before, 1226 and 1227 after) without
    // clearing the skin: a picture's index may move, so windows rebuild.
    void AddBitMap(const std::string& path);
    void DeleteBitMap(int index);

    // --- announcements
    // Says that the skin changes (SkinDataMessage); whoever listens delivers it.
    void SendSkinDataMessage(int message);

    // The loaded pictures and an INI text written afresh from the values.
    TbsSkinPackage MakeSkinPackage() const override;

    // --- the loaded skin
    QImage Picture;
    QImage InActivePicture;
    QImage Mask;
    std::string PictureName;
    std::string InActivePictureName;
    std::string MaskName;
    std::vector<QImage> ActivePictures;
    std::vector<std::string> ActivePictureNames;

    // [VERSION]
    std::string SkinName;
    std::string SkinAuthor;
    std::string AuthorEmail;
    std::string AuthorURL;
    std::string SkinComments;

    // [FORMINFO]
    QPoint LTPoint; // "lefttoppoint"
    QPoint RTPoint; // "righttoppoint"
    QPoint LBPoint; // "leftbottompoint"
    QPoint RBPoint; // "rightbottompoint"
    TRect ClRect; // "clientrect"
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool MDIBGStretchEffect = false;
    TbsStretchType MDIBGStretchType = bsstFull;
    TRect MaskRectArea;
    QPoint HitTestLTPoint;
    QPoint HitTestRTPoint;
    QPoint HitTestLBPoint;
    QPoint HitTestRBPoint;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderW = 0; // "borderwidth"
    bool AutoRenderingInActiveImage = false;
    TbsInActiveEffect InActiveEffect = ieBrightness;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;

    TbsDataSkinPopupWindow PopupWindow;
    TbsDataSkinHintWindow HintWindow;
    TbsSkinColors SkinColors;
    std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TbsDataSkinControl>> CtrlList;

signals:
    // Emitted synchronously for 1225, 1226, 1227, 1274 and 1294.
    void SkinDataMessage(int message);

private:
    void ClearAll();
    void ChangeLibrary(const std::function<void()>& change);
    void BeginSkinChange();
    void EndSkinChange();
    // Puts a decoded package in place between the announcements. Everything
    // that can fail is checked before the first announcement, so a damaged
    // skin leaves the loaded one untouched.
    void ApplyPackage(TbsSkinPackage&& package);
    void ExchangeFormInfo(TbsSkinSectionIO& io);
    void CorrectFormInfo();

    bool skinnableForm_ = true;
    bool enableSkinEffects_ = true;
    bool restoring_ = false;
    bool empty_ = true;
    bool skinChanging_ = false;
    int skinIndex_ = 0;
    QPointer<TbsCompressedStoredSkin> compressedStoredSkin_;
    QPointer<TbsResourceStrData> resourceStrData_;
    QPointer<TbsCompressedSkinList> skinList_;
};
