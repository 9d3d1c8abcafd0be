// A tool button whose click opens its menu, as the schedule tool bars use.
#pragma once

#include <QString>

class QMenu;
class QToolButton;
class QWidget;

// The button carries AName, ACaption as text and AHint as tool tip. When its
// menu closes while the pointer is elsewhere, it drops its hover highlight:
// the menu took the pointer's leave, and a raised button looks focused.
QToolButton* NewDropDownButton(
    QWidget* AParent, const QString& AName, const QString& ACaption, const QString& AHint, QMenu* AMenu);
