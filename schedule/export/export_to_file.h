// What every screen's "Export" entries run: the plan of a query written from
// the program's registers and relations to a file the user chooses.
#pragma once

#include "schedule/export/plan_export.h"

#include <QString>

// Asks for the file through the dialog seam, proposing a name that says what
// is in it (ASubject: the worker or workplace, empty for everyone) in the
// documents folder; without AFormat (none) the chosen name's ending decides.
// False when cancelled (AError empty) or when the file could not be written.
bool ExportPlanToFile(const TExportFormat* AFormat, const TExportQuery& AQuery, const QString& ASubject,
    bool AForWorker, QString& AError);
