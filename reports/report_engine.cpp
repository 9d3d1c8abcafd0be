#include "reports/report_engine.h"

#include <QFileInfo>

void BindPrintTables(TReportEngine& AEngine, const TPrintTables& ATables)
{
    for (const TPrintTable* table : {&ATables.DSPrintWorkplaces, &ATables.DSPrintPersons, &ATables.DSPrintDays})
        AEngine.SetDataConnection(table->ConnectionName(), table);
}

QString ReportProjectFileName(const QString& AProgramFileName)
{
    const QFileInfo info(AProgramFileName);
    const QString folder = info.path();
    const QString base = info.completeBaseName();
    return (folder == QLatin1String("/") ? folder : folder + QLatin1Char('/')) + base + QStringLiteral(".rav");
}
