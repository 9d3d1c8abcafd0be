// What the schedule screens share for planning by keyboard: the key that
// places a worker, hints that name their keys, the texts of the pick list.
#pragma once

#include "ui/view_guard.h"

#include <QKeySequence>
#include <QString>
#include <QStringList>

class QAction;
class QKeyEvent;
class QWidget;

// Ctrl+Shift+A: place the chosen worker at a workplace, or a worker at the
// chosen workplace.
QKeySequence PlanKey();
// Whether AEvent is the key of ASequence (its first and only chord).
bool IsKey(const QKeyEvent* AEvent, const QKeySequence& ASequence);
// "AHint (Ctrl+Shift+A)" in the platform's key names.
QString WithKey(const QString& AHint, const QKeySequence& AKey);
// A workplace as the pick list shows it: "SHORTCUT  Name".
QString WorkplaceEntry(const QString& AShortcut, const QString& AName);
// The index of the entry chosen in the pick list; -1 when cancelled.
int PickIndex(const QString& ACaption, const QStringList& AEntries);
// The name and description a screen reader reads for AWidget.
void SetAccessibleTexts(QWidget* AWidget, const QString& AName, const QString& ADescription);
// The keys that step the shown day or period back, on and to today, the same
// on every screen (Alt with the arrows: the lists keep the plain ones), named
// in the calendar's tool tip; AUnit is "day" or "period".
void SetStepKeys(QWidget* ACalendar, QAction* ABack, QAction* AOn, QAction* AToday, const QString& AUnit);
