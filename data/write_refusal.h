// Why a table file took no write, in words for the user.
#pragma once

#include "data/table.h"

#include <QFileInfo>
#include <QString>

// The table's own reason, else what keeps it from writing; never empty.
inline QString WriteRefusal(const TTable& ATable)
{
    const QString file = QFileInfo(ATable.FileName()).fileName();
    if (!ATable.CanModify())
        return QStringLiteral("the file \"%1\" cannot be written.").arg(file);
    if (ATable.LostRace())
        return QStringLiteral("another copy of the program stored the same at the same moment; try again.");
    if (!ATable.LastError().isEmpty())
        return ATable.LastError();
    return QStringLiteral("the file \"%1\" did not accept it.").arg(file);
}
