// The "Export" drop-down every schedule screen has beside its print menu:
// the shown plan as a spreadsheet or a calendar file, and on the daily
// screen the plan of any range of days.
#pragma once

#include "schedule/export/plan_export.h"

#include <functional>

class QToolButton;
class QWidget;

// What an entry asks for: a format, or none for "Export plan…" (a range of
// days; the file's ending then decides the format).
using TExportHandler = std::function<void(const TExportFormat* AFormat)>;

// The button "TBExport" with its menu "PUMenuExport" and entries
// "ActionExportCsv", "ActionExportICalendar" and, with AWithPlan,
// "ActionExportPlan".
QToolButton* NewExportButton(QWidget* AParent, bool AWithPlan, TExportHandler AHandler);

// Shows why an export failed; nothing for a cancelled one (empty).
void ShowExportFailure(const QString& AError);
