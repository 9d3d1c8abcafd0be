#include "core/dialogs.h"

#include <QDebug>

int THeadlessDialogs::MessageBox(const QString& AMsg, TMsgDlgType, TMsgDlgButtons AButtons)
{
    qWarning().noquote() << AMsg;
    if (AButtons & mbCancel)
        return mrCancel;
    if (AButtons & mbNo)
        return mrNo;
    return mrOk;
}

int THeadlessDialogs::Choose(const QString& AMsg, TMsgDlgType, const QStringList&)
{
    qWarning().noquote() << AMsg;
    return -1;
}

namespace {
THeadlessDialogs HeadlessDialogs;
TDialogs* Installed = nullptr;

// Integer division rounding toward zero, as the placement rules ask.
int HalfOf(int AValue)
{
    return AValue / 2;
}
} // namespace

TDialogs& Dialogs()
{
    return Installed ? *Installed : HeadlessDialogs;
}

void SetDialogs(TDialogs* ADialogs)
{
    Installed = ADialogs;
}

int ShowMessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons)
{
    return Dialogs().MessageBox(AMsg, AKind, AButtons);
}

std::optional<QPoint> MessageBoxPosition(const std::optional<QRect>& AActiveWindow)
{
    if (!AActiveWindow)
        return std::nullopt;
    const QRect& w = *AActiveWindow;
    return QPoint(std::max(0, w.left() + HalfOf(w.width() - 375)), std::max(0, w.top() + HalfOf(w.height() - 150)));
}

QPoint CenterFormPosition(const std::optional<QRect>& AActiveWindow, const QRect& AScreen, const QSize& ASize)
{
    const QRect& over = AActiveWindow ? *AActiveWindow : AScreen;
    return QPoint(std::max(0, over.left() + HalfOf(over.width() - ASize.width())),
        std::max(0, over.top() + HalfOf(over.height() - ASize.height())));
}
