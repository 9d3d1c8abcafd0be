#include "reports/report_engine.h"

#include "core/utils.h"

#include <QFileInfo>

void BindPrintTables(TReportEngine& AEngine, const TPrintTables& ATables)
{
    for (const TPrintTable* table : {&ATables.DSPrintWorkplaces, &ATables.DSPrintPersons, &ATables.DSPrintDays})
        AEngine.SetDataConnection(table->ConnectionName(), table);
}

namespace {
QDate ParamDate(const TReportParams& AParams, const QString& AName)
{
    TDate date = 0;
    return ShortDateTextToDate(AParams.value(AName), date) ? OleToDate(date) : QDate();
}
} // namespace

QString ReportFileBaseName(const TReportHeader& AHeader, const TReportParams& AParams)
{
    QStringList parts{AHeader.Title};
    const QString lines = AHeader.Lines.join(QLatin1Char('\n'));
    for (const char* subject : {"PersonName", "WorkplaceName"})
        if (lines.contains(QStringLiteral("{@%1}").arg(QLatin1String(subject))))
            parts << AParams.value(QLatin1String(subject)).trimmed();
    const QString iso = QStringLiteral("yyyy-MM-dd");
    const QDate day = ParamDate(AParams, QStringLiteral("ScheduleDate"));
    const QDate from = ParamDate(AParams, QStringLiteral("DateStart"));
    const QDate to = ParamDate(AParams, QStringLiteral("DateEnd"));
    if (from.isValid() && to.isValid()) {
        if (from.day() == 1 && to == from.addMonths(1).addDays(-1))
            parts << from.toString(QStringLiteral("yyyy-MM"));
        else
            parts << from.toString(iso) + QStringLiteral(" to ") + to.toString(iso);
    } else if (day.isValid()) {
        parts << day.toString(iso);
    }
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", ")).replace(QLatin1Char('/'), QLatin1Char('-'));
}

QString ReportProjectFileName(const QString& AProgramFileName)
{
    const QFileInfo info(AProgramFileName);
    const QString folder = info.path();
    const QString base = info.completeBaseName();
    return (folder == QLatin1String("/") ? folder : folder + QLatin1Char('/')) + base + QStringLiteral(".rav");
}
