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
