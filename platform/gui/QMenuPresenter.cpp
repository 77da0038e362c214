#include "QMenuPresenter.h"

#include "GbkText.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

namespace {

void FillQMenu(QMenu& qmenu, const TMenuItem& item, const TPopupMenu& menu)
{
    for (TMenuItem* sub : ShownMenuItems(item, menu.AutoLineReduction())) {
        if (sub->IsLine()) {
            qmenu.addSeparator();
            continue;
        }
        QString text = GbkToQString(sub->Caption());
        if (!sub->ShortCutText().empty())
            text += QLatin1Char('\t') + GbkToQString(sub->ShortCutText());
        QAction* action = nullptr;
        if (sub->Count() > 0) {
            QMenu* child = qmenu.addMenu(text);
            FillQMenu(*child, *sub, menu);
            action = child->menuAction();
        } else {
            action = qmenu.addAction(text);
        }
        action->setEnabled(sub->Enabled());
        if (sub->Checked()) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        QImage glyph = sub->Bitmap();
        const auto& images = menu.Images();
        if (glyph.isNull() && sub->ImageIndex() >= 0 && sub->ImageIndex() < static_cast<int>(images.size()))
            glyph = images[static_cast<size_t>(sub->ImageIndex())];
        if (!glyph.isNull())
            action->setIcon(QIcon(QPixmap::fromImage(glyph)));
        if (sub->Count() == 0) {
            QPointer<TMenuItem> target(sub);
            QObject::connect(action, &QAction::triggered, sub, [target] {
                // After the QMenu has gone, as a chosen item's command runs.
                QTimer::singleShot(0, target.data(), [target] {
                    if (target)
                        target->Click();
                });
            });
        }
    }
}

} // namespace

void TQMenuPresenter::Present(TPopupMenu& menu, const QPoint& screenPoint)
{
    auto* qmenu = new QMenu();
    qmenu->setAttribute(Qt::WA_DeleteOnClose);
    qmenu->setObjectName(QStringLiteral("QelvoPlainPopupMenu"));
    FillQMenu(*qmenu, *menu.Items(), menu);
    // The model may go before the QMenu does.
    QObject::connect(&menu, &QObject::destroyed, qmenu, &QMenu::close);
    qmenu->popup(screenPoint);
}

void InstallPlainMenuPresenter()
{
    static TQMenuPresenter plain;
    TPopupMenu::SetDefaultPresenter(&plain);
}
