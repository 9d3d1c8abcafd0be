// The records the worker and the workplace schedules read from their store:
// register workers and workplaces, relations with their stored names, and
// the rows they append to the print tables.
#pragma once

#include "core/utils.h"

#include <QString>

// A register worker as the schedules read it (DateOutFrom is the read value).
struct TPeriodPersonRecord {
    int ID = 0;
    QString Name;
    QString SortingName;
    QString Note;
    TDate DateOutFrom = 0;
    TDate DateOutTo = 0;
    int DaysOut = 0;
    QString NoteOut;
};

struct TPeriodWorkplaceRecord {
    int ID = 0;
    QString Shortcut;
    QString Name;
    QString Note;
    TColor Color = 0xFFFFFF;
};

// One relation with the names its row stored.
struct TPeriodJobRecord {
    TDate Date = 0;
    int PersonID = 0;
    int WorkplaceID = 0;
    QString PersonName;
    QString WorkplaceShortcut;
    QString WorkplaceName;
};

// Rows of the print tables.
struct TPeriodPrintPerson {
    int ID = 0;
    QString Name;
    QString SortingName;
    QString Note;
    TDate DateOutFrom = 0;
    TDate DateOutTo = 0;
    int DaysOut = 0;
    bool IsOut = false;
    QString NoteOut;
    int WorkplaceID = 0;
    QString Workplaces;
    int DayID = 0;
    QString Days;
    bool IsDeleted = false;
};
struct TPeriodPrintWorkplace {
    int ID = 0;
    QString Shortcut;
    QString Name;
    QString Note;
    QString Days;
    bool IsDeleted = false;
    int DayID = 0;
};
struct TPeriodPrintDay {
    int ID = 0;
    TDate Date = 0;
    QString DayName;
    QString DateWithoutYear;
    TColor Color = 0;
    bool PersonIsOut = false;
};
