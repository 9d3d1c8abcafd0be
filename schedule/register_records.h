// The worker and workplace records all three schedules read from their
// stores, and the worker and workplace rows they append to the print tables.
#pragma once

#include "core/utils.h"

#include <QString>

#include <optional>

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

// A field of a record that may be missing, else ADefault.
template <class TRecord, class TValue>
TValue FieldOf(const std::optional<TRecord>& ARecord, TValue TRecord::*AField, TValue ADefault = TValue())
{
    return ARecord ? (*ARecord).*AField : ADefault;
}

// The register worker's values of an entry that reads his record through its
// own Record() (TSelf); empty or 0 when he is not in the register.
template <class TSelf>
class TRegisterPersonFields {
public:
    QString Name() const { return Field(&TRegisterPersonRecord::Name); }
    QString Note() const { return Field(&TRegisterPersonRecord::Note); }
    QString NoteOut() const { return Field(&TRegisterPersonRecord::NoteOut); }
    QString SortingName() const { return Field(&TRegisterPersonRecord::SortingName); }
    TDate DateOutFrom() const { return Field(&TRegisterPersonRecord::DateOutFrom); }
    TDate DateOutTo() const { return Field(&TRegisterPersonRecord::DateOutTo); }
    int DaysOut() const { return Field(&TRegisterPersonRecord::DaysOut); }

private:
    template <class TValue>
    TValue Field(TValue TRegisterPersonRecord::*AField) const
    {
        return FieldOf(static_cast<const TSelf*>(this)->Record(), AField);
    }
};

// AName alone when the stored name adds nothing, the stored name for a
// missing entry, else "AName (AStored)".
inline QString NameWithStored(const QString& AName, const QString& AStored)
{
    if (SameTextIgnoringCase(AName, AStored))
        return AName;
    if (AName.isEmpty())
        return AStored;
    if (!AStored.isEmpty())
        return AName + QStringLiteral(" (") + AStored + QLatin1Char(')');
    return AName;
}

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
