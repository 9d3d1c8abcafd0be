#include "core/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
std::function<QSize()>& ScreenProvider()
{
    static std::function<QSize()> provider;
    return provider;
}
std::function<std::optional<QSize>()>& FrameProvider()
{
    static std::function<std::optional<QSize>()> provider;
    return provider;
}
} // namespace

QSize PrimaryScreenSize()
{
    if (ScreenProvider())
        return ScreenProvider()();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->size();
    return QSize(1920, 1080);
}

QRect AvailableScreenArea(const QPoint& AAt)
{
    if (ScreenProvider())
        return QRect(QPoint(0, 0), ScreenProvider()());
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QScreen* screen = QGuiApplication::screenAt(AAt);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            return screen->availableGeometry();
    }
    return QRect(QPoint(0, 0), PrimaryScreenSize());
}

QRect FitIntoArea(const QRect& AOuter, const QRect& AArea, const QSize& AMinimum)
{
    QRect fitted(AOuter.topLeft(), AOuter.size().boundedTo(AArea.size()).expandedTo(AMinimum));
    // Right and bottom first, so a window larger than the area keeps its
    // title bar on screen.
    if (fitted.right() > AArea.right())
        fitted.moveRight(AArea.right());
    if (fitted.bottom() > AArea.bottom())
        fitted.moveBottom(AArea.bottom());
    if (fitted.left() < AArea.left())
        fitted.moveLeft(AArea.left());
    if (fitted.top() < AArea.top())
        fitted.moveTop(AArea.top());
    return fitted;
}

std::optional<QSize> MainWindowFrameAllowance()
{
    if (FrameProvider())
        return FrameProvider()();
    return std::nullopt;
}

void SetScreenSizeProvider(std::function<QSize()> AProvider)
{
    ScreenProvider() = std::move(AProvider);
}

void SetFrameAllowanceProvider(std::function<std::optional<QSize>()> AProvider)
{
    FrameProvider() = std::move(AProvider);
}
