#include "AboutFormFM.h"

#include "BsSkinButtons.h"
#include "BsSkinLabels.h"
#include "Bsskinform.h"
#include "ChineseFonts.h"
#include "Durora.h"
#include "NuvGui.h"
#include "QelvoVersion.h"
#include "SkinCtrlDM.h"
#include "WindowLook.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

TbsSkinData* ProgramSkin()
{
    return SkinCtrlModule ? SkinCtrlModule->bsSkinData1 : nullptr;
}

TbsSkinLinkLabel* MakeLink(QWidget* parent, const char* caption, const std::string& url, int left, QFont font)
{
    auto* link = new TbsSkinLinkLabel(parent);
    link->SetSkinData(ProgramSkin());
    link->SetSkinDataName("stdlabel");
    link->SetDefaultFont(font);
    link->SetCaption(Gbk(caption));
    link->SetUseUnderLine(true);
    link->SetDefaultActiveFontColor(0x00FF0000); // blue under the mouse
    link->setCursor(Qt::PointingHandCursor);
    link->SetURL(url);
    link->SetOpener([](const std::string& address) { nuv::ShellOpen(address); });
    link->setGeometry(left, 152, 84, 14);
    // No address, no link: a build without the maker's site shows none.
    link->setVisible(!url.empty());
    return link;
}

} // namespace

const std::string& MakerMailAddress()
{
    static const std::string address = QELVO_MAKER_MAIL;
    return address;
}

TAboutForm::TAboutForm(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("关于"));
    setFont(ChineseFont(14));

    bsSkinForm1 = new TbsSkinForm(this);
    bsSkinForm1->SetDisableSystemMenu(true);
    bsSkinForm1->SetBorderIcons(biSystemMenu);
    bsSkinForm1->SetSkinData(ProgramSkin());
    bsSkinForm1->SetClientWidth(256);
    bsSkinForm1->SetClientHeight(224);

    client_ = new QWidget(this);

    const std::string& home = HomePageUrl;
    const std::string& mail = MakerMailAddress();
    std::vector<std::string> lines = { Gbk("Qelvo桌面股票 V") + QelvoVersion, "",
        Gbk("本软件免费使用，行情仅供参考。"), "", Gbk("行情与图表来自新浪财经。"), "" };
    if (!home.empty())
        lines.push_back(Gbk("官方网站：") + home);
    if (!mail.empty())
        lines.push_back(Gbk("电子邮箱：") + mail);

    bsSkinTextLabel1 = new TbsSkinTextLabel(client_);
    bsSkinTextLabel1->SetSkinData(ProgramSkin());
    bsSkinTextLabel1->SetSkinDataName("stdlabel");
    bsSkinTextLabel1->SetDefaultFont(font());
    bsSkinTextLabel1->SetLines(lines);
    bsSkinTextLabel1->setGeometry(24, 16, 203, 112);

    lbl1 = MakeLink(client_, "访问官方网站", home, 24, font());
    lbl2 = MakeLink(client_, "发送电子邮件", mail.empty() ? std::string() : "mailto:" + mail, 144, font());

    btnClose = new TbsSkinButton(client_);
    btnClose->SetSkinData(ProgramSkin());
    btnClose->SetSkinDataName("button");
    btnClose->SetDefaultFont(font());
    btnClose->SetCaption(Gbk("关闭"));
    btnClose->SetCanFocused(true);
    btnClose->setGeometry(96, 184, 75, 25);
    btnClose->OnClick = [this](QObject* sender) { RunHandler([&] { btnCloseClick(sender); }); };
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    client_->setGeometry(contentsRect());
}

void TAboutForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    client_->setGeometry(contentsRect());
    CentreWindow(this, parentWidget() ? parentWidget()->window() : nullptr);
    btnClose->setFocus();
}

void TAboutForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TAboutForm::btnCloseClick(QObject*)
{
    close();
}
