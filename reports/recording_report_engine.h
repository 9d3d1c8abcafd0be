// A report engine that paints nothing: it keeps the parameters, answers the
// printer setup as told and records each run with a copy of the bound rows,
// so print preparation can be checked headless.
#pragma once

#include "reports/report_engine.h"

#include <QMap>
#include <QStringList>

#include <deque>
#include <map>

class TRecordingReportEngine : public TReportEngine {
public:
    struct TRun {
        QString ReportName;
        QMap<QString, QString> Params;
        // Per connection name: each row as field=value lines.
        std::map<QString, std::vector<QStringList>> Rows;
    };

    void SetProjectFile(const QString& AFileName) override { FProjectFile = AFileName; }
    QString ProjectFile() const override { return FProjectFile; }
    void ClearParams() override { FParams.clear(); }
    void SetParam(const QString& AName, const QString& AValue) override { FParams.insert(AName, AValue); }
    QString Param(const QString& AName) const override { return FParams.value(AName); }
    bool HasParam(const QString& AName) const override { return FParams.contains(AName); }
    void SetDataConnection(const QString& AConnectionName, const TPrintTable* ATable) override;
    // Takes the next queued answer; false when none is queued.
    bool PrinterSetup(const QString& AReportName) override;
    bool ExecuteReport(const QString& AReportName) override;

    void AnswerPrinterSetup(bool AConfirmed) { FSetupAnswers.push_back(AConfirmed); }
    int PrinterSetupCount() const { return FSetupCount; }
    const QMap<QString, QString>& Params() const { return FParams; }
    const std::vector<TRun>& Runs() const { return FRuns; }

private:
    QString FProjectFile;
    QMap<QString, QString> FParams;
    std::map<QString, const TPrintTable*> FConnections;
    std::deque<bool> FSetupAnswers;
    int FSetupCount = 0;
    std::vector<TRun> FRuns;
};
