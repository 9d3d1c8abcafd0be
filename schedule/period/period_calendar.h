// Calendar arithmetic the worker and the workplace schedules share: placing a
// period on the calendar, its heading texts, weekday names and colours and the
// compacted weekday text.
#pragma once

#include "core/collation.h"
#include "core/utils.h"

#include <QString>
#include <QStringList>

// The setup's first day of the week (1 Monday, 7 Sunday); 1 without a setup.
int PeriodFirstDayInWeek();
// Weekday number in the week order: Monday 1 … Sunday 7 when AFirstDayInWeek
// is 1, Sunday 1 … Saturday 7 otherwise.
int WeekOrderDay(TDate ADate, int AFirstDayInWeek);
// The locale's short weekday name of a date.
QString ShortDayName(TDate ADate);
// The locale's full weekday name with its first letter in upper case.
QString LongDayName(TDate ADate);
// The setup's colour of a date's weekday (white without a setup).
TColor PeriodDayColor(TDate ADate);

// First day of the period holding ADate (cut to its day first).
TDate PeriodStart(TDate ADate, TDateDaysKind AKind, int AFirstDayInWeek);
// Number of days of the period starting at AStart.
int PeriodDays(TDate AStart, TDateDaysKind AKind);
// The start of a period shortened by what its end already says, in the
// locale's short date format: without the year in one year, also without the
// month in one month where the day comes first (only the day, "5." where the
// format's separator is a dot), else the whole short date.
QString PeriodStartShort(TDate AStart, TDate AEnd);
// The period heading: short start, " - ", end as a short date.
QString PeriodHeading(TDate AStart, TDate AEnd);

// The compacted weekday text of day names given in list order: runs of three
// to seven consecutive weekdays of one week become "first..last".
QString CompactDayText(const QStringList& ADayStrs, int AFirstDayInWeek);
