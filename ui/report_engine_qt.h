// The report engine of the program: reads the layouts from the report project
// file, lays a report out on the printer's paper and sends it to the printer,
// the modal preview or a PDF file, as the user chooses.
#pragma once

#include "ui/view_guard.h"

#include "reports/report_engine.h"
#include "reports/report_layout.h"

#include <QPrinter>

#include <map>
#include <memory>

class TQtReportEngine : public TReportEngine {
public:
    TQtReportEngine();

    void SetProjectFile(const QString& AFileName) override { FProjectFile = AFileName; }
    QString ProjectFile() const override { return FProjectFile; }
    void ClearParams() override { FParams.clear(); }
    void SetParam(const QString& AName, const QString& AValue) override { FParams.insert(AName, AValue); }
    QString Param(const QString& AName) const override { return FParams.value(AName); }
    bool HasParam(const QString& AName) const override { return FParams.contains(AName); }
    void SetDataConnection(const QString& AConnectionName, const TPrintTable* ATable) override;
    // Proposes a PDF under a name that says what it holds (see
    // ReportFileBaseName) in the documents folder, never over a file there.
    bool PrinterSetup(const QString& AReportName) override;
    bool ExecuteReport(const QString& AReportName) override;

    // Lays the named report out on the printer's paper without printing it;
    // false with the message the user would see.
    bool LayoutNamedReport(const QString& AReportName, TReportDocument& ADocument, QString& AMessage) const;

    QPrinter& Printer() { return *FPrinter; }

private:
    QString FProjectFile;
    TReportParams FParams;
    std::map<QString, const TPrintTable*> FConnections;
    std::unique_ptr<QPrinter> FPrinter;
};
