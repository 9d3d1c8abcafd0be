// The arrangement the three schedule screens share: the top band across the
// top; under it the main part at the left and a column at the right with the
// calendar over a list part (the screens keep it at half their width).
#pragma once

#include "ui/view_guard.h"

class QCalendarWidget;
class QWidget;

struct TScreenColumn {
    QWidget* Panel;
    QCalendarWidget* Calendar;
};

// AScreen's right column "PanelRight" with the calendar "Calendar" at its
// top, the week starting as the locale says.
TScreenColumn NewScreenColumn(QWidget* AScreen);
// Lays AScreen out: ATopBand across the top, AMain at the left, AColumn at
// the right with ABelowCalendar filling it under the calendar.
void PlaceScreenParts(
    QWidget* AScreen, QWidget* ATopBand, QWidget* AMain, const TScreenColumn& AColumn, QWidget* ABelowCalendar);
