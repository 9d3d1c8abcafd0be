#include "ui/screen_layout.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

#include <algorithm>

TScreenColumn NewScreenColumn(QWidget* AScreen)
{
    auto* panel = new QWidget(AScreen);
    panel->setObjectName(QStringLiteral("PanelRight"));
    auto* calendar = new QCalendarWidget(panel);
    calendar->setObjectName(QStringLiteral("Calendar"));
    calendar->setFixedHeight(std::max(220, calendar->sizeHint().height()));
    calendar->setFirstDayOfWeek(QLocale().firstDayOfWeek());
    return {panel, calendar};
}

void PlaceScreenParts(
    QWidget* AScreen, QWidget* ATopBand, QWidget* AMain, const TScreenColumn& AColumn, QWidget* ABelowCalendar)
{
    ABelowCalendar->setParent(AColumn.Panel);
    auto* right = new QVBoxLayout(AColumn.Panel);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(AColumn.Calendar);
    right->addWidget(ABelowCalendar, 1);

    AMain->setParent(AScreen);
    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(10, 5, 10, 5);
    topRow->addWidget(ATopBand);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(AMain, 1);
    body->addWidget(AColumn.Panel);
    auto* layout = new QVBoxLayout(AScreen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(topRow);
    layout->addLayout(body, 1);
}
