// Screen size and the main window's frame allowance, as the placement clamps
// need them; tests set fixed values.
#pragma once

#include <QSize>

#include <functional>
#include <optional>

// The primary screen's size in pixels (a generous default without a screen).
QSize PrimaryScreenSize();
// Outer minus client size of the main window; none while no main window exists.
std::optional<QSize> MainWindowFrameAllowance();

void SetScreenSizeProvider(std::function<QSize()> AProvider);
void SetFrameAllowanceProvider(std::function<std::optional<QSize>()> AProvider);
