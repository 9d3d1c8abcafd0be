#include "schedule/export/export_to_file.h"

#include "core/dialogs.h"
#include "core/utils.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
const QString CsvFilter = QStringLiteral("Spreadsheet (CSV) (*.csv)");
const QString ICalendarFilter = QStringLiteral("Calendar (iCalendar) (*.ics)");

// The open plan's identity, the same the export command gives it: a
// relation exported from either keeps one UID.
QString PlanIdentity()
{
    const QString server = CurrentDataServer();
    return server.isEmpty() ? FolderIdentity(CurrentDataDir()) : ServerIdentity(server);
}
} // namespace

bool ExportPlanToFile(
    const TExportFormat* AFormat, const TExportQuery& AQuery, const QString& ASubject, bool AForWorker, QString& AError)
{
    AError.clear();
    TPersonMan* persons = TPersonMan::Instance();
    TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    TJobMan* jobs = TJobMan::Instance();
    if (!persons || !workplaces || !jobs)
        return false;
    const TExportFormat proposed = AFormat ? *AFormat : efCsv;
    QString fileName = IncludeBackslash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                       + ExportFileName(proposed, AQuery.From, AQuery.To, ASubject);
    const QString filter = !AFormat            ? CsvFilter + QStringLiteral(";;") + ICalendarFilter
                           : proposed == efCsv ? CsvFilter
                                               : ICalendarFilter;
    if (!Dialogs().SaveFile(QStringLiteral("Export"), filter, fileName))
        return false;
    const TExportFormat format = AFormat ? *AFormat
                                 : QFileInfo(fileName).suffix().compare(QLatin1String("ics"), Qt::CaseInsensitive) == 0
                                     ? efICalendar
                                     : efCsv;
    std::vector<TExportRow> rows;
    if (!ReadExportRows(persons->Table(), workplaces->Table(), jobs->Table(), AQuery, rows, AError))
        return false;
    const QByteArray content = format == efCsv
                                   ? ExportCsv(rows)
                                   : ExportICalendar(rows, ASubject.isEmpty() ? QStringLiteral("Plenvo") : ASubject,
                                       AForWorker, PlanIdentity(), QDateTime::currentDateTimeUtc());
    QSaveFile file(fileName);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit()
                         && SyncPath(fileName) && SyncPath(QFileInfo(fileName).absolutePath());
    if (!written)
        AError = QStringLiteral("The file \"%1\" could not be written: %2")
                     .arg(QDir::toNativeSeparators(fileName), file.errorString());
    return written;
}
