// What the program asks of a report engine: a project file with the layouts,
// named text parameters, the print tables under their connection names, a
// printer setup and running a report by name.
#pragma once

#include "reports/print_table.h"
#include "reports/report_layout.h"
#include "reports/report_project.h"

#include <QString>

class TReportEngine {
public:
    virtual ~TReportEngine() = default;

    // The report project file; read when a report runs.
    virtual void SetProjectFile(const QString& AFileName) = 0;
    virtual QString ProjectFile() const = 0;

    virtual void ClearParams() = 0;
    virtual void SetParam(const QString& AName, const QString& AValue) = 0;
    // A parameter's value; empty when it is not set.
    virtual QString Param(const QString& AName) const = 0;
    virtual bool HasParam(const QString& AName) const = 0;

    // Binds a table (not owned) to a connection name; none unbinds it.
    virtual void SetDataConnection(const QString& AConnectionName, const TPrintTable* ATable) = 0;

    // The printer setup dialog for the named report; true when the user
    // confirmed it.
    virtual bool PrinterSetup(const QString& AReportName) = 0;
    // Runs the named report of the project, offering printer, preview or file;
    // false when it printed nothing (a failure is reported to the user).
    virtual bool ExecuteReport(const QString& AReportName) = 0;
};

// Binds the three tables by their connection names.
void BindPrintTables(TReportEngine& AEngine, const TPrintTables& ATables);

// The name a PDF of a report is proposed under, without ".pdf": the title of
// its header, the worker or workplace it is about where its header names
// one, and its day ("2026-12-07"), month ("2026-12") or days ("2026-12-07 to
// 2026-12-13"); a "/" becomes "-".
QString ReportFileBaseName(const TReportHeader& AHeader, const TReportParams& AParams);

// "<folder>/<complete base name>.rav" of a program file.
QString ReportProjectFileName(const QString& AProgramFileName);
