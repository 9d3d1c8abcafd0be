// The pictures and cursors the views share: the hand over draggable items,
// the grabbing hand while dragging, the small row pictures and the button
// pictures, made once, on first use; and the large type of the headers.
#pragma once

#include "ui/view_guard.h"

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QStyle>

enum TSCCursor { crHand = 1101, crHandGrab = 1102 };

// Cursor 1101 or 1102.
QCursor ProgramCursor(TSCCursor ACursor);

// The small row pictures: 0 a worker at work, 1 a worker out on the day (or
// the whole period), 2 a worker out for part of the period.
QIcon SmallIcon(int AIndex);

// A picture of the application style, made once: views with many panels and
// rows would otherwise decode the same picture for each of them.
QIcon StandardIcon(QStyle::StandardPixmap APixmap);

// The picture of the button at the end of an edit field (colour choice).
QIcon ButtonEditIcon();

// ABase AScale times as large, bold or not: the type of headers (1.4 for
// panels and days, 1.5 for the screen caption).
QFont LargeFont(const QFont& ABase, bool ABold, qreal AScale = 1.4);
