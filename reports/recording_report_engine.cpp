#include "reports/recording_report_engine.h"

void TRecordingReportEngine::SetDataConnection(const QString& AConnectionName, const TPrintTable* ATable)
{
    if (ATable)
        FConnections[AConnectionName] = ATable;
    else
        FConnections.erase(AConnectionName);
}

bool TRecordingReportEngine::PrinterSetup(const QString&)
{
    ++FSetupCount;
    if (FSetupAnswers.empty())
        return false;
    const bool answer = FSetupAnswers.front();
    FSetupAnswers.pop_front();
    return answer;
}

bool TRecordingReportEngine::ExecuteReport(const QString& AReportName)
{
    TRun run;
    run.ReportName = AReportName;
    run.Params = FParams;
    for (const auto& [name, table] : FConnections) {
        auto& rows = run.Rows[name];
        for (int r = 0; r < table->RowCount(); ++r) {
            QStringList row;
            for (const auto& field : table->Fields())
                row << field.Name + QLatin1Char('=') + table->AsString(r, field.Name);
            rows.push_back(row);
        }
    }
    FRuns.push_back(std::move(run));
    return true;
}
