// Screen size and the main window's frame allowance, as the placement clamps
// need them; tests set fixed values.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

// The primary screen's size in pixels (a generous default without a screen).
QSize PrimaryScreenSize();
// Outer minus client size of the main window; none while no main window exists.
std::optional<QSize> MainWindowFrameAllowance();

// The part of the screen at AAt that windows may cover (without panels); a
// screen of the provider's size when tests set one.
QRect AvailableScreenArea(const QPoint& AAt);
// An outer window rectangle moved and, where it must, shrunk into AArea, but
// never below AMinimum.
QRect FitIntoArea(const QRect& AOuter, const QRect& AArea, const QSize& AMinimum);

void SetScreenSizeProvider(std::function<QSize()> AProvider);
void SetFrameAllowanceProvider(std::function<std::optional<QSize>()> AProvider);
