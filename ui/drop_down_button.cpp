#include "ui/drop_down_button.h"

#include <QApplication>
#include <QCursor>
#include <QHoverEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

QToolButton* NewDropDownButton(
    QWidget* AParent, const QString& AName, const QString& ACaption, const QString& AHint, QMenu* AMenu)
{
    auto* button = new QToolButton(AParent);
    button->setObjectName(AName);
    button->setText(ACaption);
    button->setToolTip(AHint);
    button->setStatusTip(AHint);
    button->setMenu(AMenu);
    // A click on the button itself opens the menu.
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QObject::connect(AMenu, &QMenu::aboutToHide, button, [button] {
        // After the menu's own event loop has ended.
        QTimer::singleShot(0, button, [button] {
            if (!button->underMouse() || button->rect().contains(button->mapFromGlobal(QCursor::pos())))
                return;
            button->setAttribute(Qt::WA_UnderMouse, false);
            QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF());
            QApplication::sendEvent(button, &leave);
            button->update();
        });
    });
    return button;
}
