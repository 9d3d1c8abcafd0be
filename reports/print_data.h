// The data manager's printing duties: the three print tables, the report
// parameters and the two print operations every list printer ends with.
#pragma once

#include "reports/print_table.h"
#include "reports/report_engine.h"

#include <QString>
#include <QStringList>

class TDataManPrint {
public:
    // AEngine is not owned; the tables are bound to it by connection name.
    explicit TDataManPrint(TReportEngine* AEngine = nullptr);
    ~TDataManPrint();
    TDataManPrint(const TDataManPrint&) = delete;
    TDataManPrint& operator=(const TDataManPrint&) = delete;

    // The one the program prints with; none until one is installed.
    static TDataManPrint* Instance();
    static void SetInstance(TDataManPrint* AInstance);

    TReportEngine* Engine() const { return FEngine; }
    void SetEngine(TReportEngine* AEngine);
    TPrintTables& Tables() { return FTables; }
    TPrintTable& DSPrintWorkplaces() { return FTables.DSPrintWorkplaces; }
    TPrintTable& DSPrintPersons() { return FTables.DSPrintPersons; }
    TPrintTable& DSPrintDays() { return FTables.DSPrintDays; }

    // Opens the tables empty (the result), sets the standard parameters, then
    // the caller's name=value lines, and writes the logo to the temporary folder.
    bool PreparePrint(const QStringList& AParams);
    // Printer setup; only when confirmed the report runs. The tables are
    // closed and the logo file removed either way.
    bool Print(const QString& AReportName);

    // Where PreparePrint puts the logo.
    static QString LogoFileName();

private:
    TReportEngine* FEngine = nullptr;
    TPrintTables FTables;
};
