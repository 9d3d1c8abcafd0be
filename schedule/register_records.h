// The worker and workplace records all three schedules read from their
// stores, and the worker and workplace rows they append to the print tables.
#pragma once

#include "core/utils.h"

#include <QString>

// A register worker as the schedules read it (DateOutFrom is the read value).
struct TRegisterPersonRecord {
    int ID = 0;
    QString Name;
    QString SortingName;
    QString Note;
    TDate DateOutFrom = 0;
    TDate DateOutTo = 0;
    int DaysOut = 0;
    QString NoteOut;
};

struct TRegisterWorkplaceRecord {
    int ID = 0;
    QString Shortcut;
    QString Name;
    QString Note;
    TColor Color = 0xFFFFFF;
};

// Rows of the worker and workplace print tables.
struct TPrintPersonRow {
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

struct TPrintWorkplaceRow {
    int ID = 0;
    QString Shortcut;
    QString Name;
    QString Note;
    QString Days;
    bool IsDeleted = false;
    int DayID = 0;
};
