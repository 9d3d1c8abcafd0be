#include "ui/focus_frame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

TFocusFrame::TFocusFrame(QWidget* AContainer) : QWidget(AContainer), FContainer(AContainer)
{
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, &TFocusFrame::FocusChanged);
}

void TFocusFrame::FocusChanged(QWidget*, QWidget* ANow)
{
    const bool inside = ANow && ANow != FContainer && FContainer->isAncestorOf(ANow) && ANow != this;
    Frame(inside ? ANow : nullptr);
}

void TFocusFrame::Frame(QWidget* ATarget)
{
    if (FTarget)
        FTarget->removeEventFilter(this);
    FTarget = ATarget;
    if (!ATarget) {
        hide();
        // Back with the container: a framed widget may be deleted later.
        if (parentWidget() != FContainer)
            setParent(FContainer);
        return;
    }
    // A child of the target, drawn over its children and moving with it.
    if (parentWidget() != ATarget)
        setParent(ATarget);
    setGeometry(ATarget->rect());
    raise();
    show();
    ATarget->installEventFilter(this);
}

bool TFocusFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == FTarget && AEvent->type() == QEvent::Resize) {
        setGeometry(FTarget->rect());
        raise();
    }
    return QWidget::eventFilter(AWatched, AEvent);
}

void TFocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}
