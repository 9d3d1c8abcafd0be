// What a schedule tells when it plans a worker on a day he is away: the
// absence texts, and the short notice the program shows in its status bar.
#pragma once

#include "schedule/register_records.h"
#include "schedule/register_store.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

using TPersonRecordStore = IRegisterStore<TRegisterPersonRecord, TRegisterWorkplaceRecord>;

// "Anna Berg is away 10/12–14/12/2026: holiday" in the short date format; the
// note only when he gave one.
QString AbsenceText(const TRegisterPersonRecord& ARecord);
// The absence texts of those of APersonIDs away on ADay, each once, in order.
QStringList AbsenceTexts(const TPersonRecordStore* AStore, TDate ADay, const std::vector<int>& APersonIDs);
// One line for the status bar: the first text, and how many more are away.
QString AbsenceNotice(const QStringList& ATexts);

// Where notices go; the main window installs its status bar, tests their own
// (none: notices are dropped).
void SetPlanNoticeSink(std::function<void(const QString&)> ASink);
void ShowPlanNotice(const QString& AText);
// Shows the notice for those of APersonIDs away on ADay; false when none is.
bool TellAbsentPlanned(const TPersonRecordStore* AStore, TDate ADay, const std::vector<int>& APersonIDs);
