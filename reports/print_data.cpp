#include "reports/print_data.h"

#include "core/program_info.h"
#include "core/utils.h"
#include "setup/setup.h"

#include <QFile>

namespace {
TDataManPrint* GInstance = nullptr;
}

TDataManPrint::TDataManPrint(TReportEngine* AEngine)
{
    SetEngine(AEngine);
}

TDataManPrint::~TDataManPrint()
{
    if (FEngine) {
        FEngine->SetDataConnection(ReportDSCWorkplaces, nullptr);
        FEngine->SetDataConnection(ReportDSCPersons, nullptr);
        FEngine->SetDataConnection(ReportDSCDays, nullptr);
    }
    if (GInstance == this)
        GInstance = nullptr;
}

TDataManPrint* TDataManPrint::Instance()
{
    return GInstance;
}
void TDataManPrint::SetInstance(TDataManPrint* AInstance)
{
    GInstance = AInstance;
}

void TDataManPrint::SetEngine(TReportEngine* AEngine)
{
    FEngine = AEngine;
    if (FEngine)
        BindPrintTables(*FEngine, FTables);
}

QString TDataManPrint::LogoFileName()
{
    return IncludeBackslash(ProgramTempDir()) + QStringLiteral("Logo.bmp");
}

bool TDataManPrint::PreparePrint(const QStringList& AParams)
{
    const bool opened = FTables.Open();
    if (FEngine) {
        FEngine->ClearParams();
        const TSetup* setup = TSetup::Instance();
        const TProgramInfo& info = ProgramInfo();
        FEngine->SetParam(QStringLiteral("Note"), setup ? setup->General()->Note() : QString());
        FEngine->SetParam(QStringLiteral("Subnote"), setup ? setup->General()->Subnote() : QString());
        FEngine->SetParam(QStringLiteral("ProgramWebPage"), info.ProgramWebPage);
        FEngine->SetParam(QStringLiteral("ProgramVersion"), info.ProgramVersion);
        FEngine->SetParam(QStringLiteral("ProgramProductVersion"), info.ProgramProductVersion);
        FEngine->SetParam(QStringLiteral("ProgramName"), info.ProgramName);
        FEngine->SetParam(QStringLiteral("ProgramFullName"), info.ProgramFullName);
        FEngine->SetParam(QStringLiteral("ProgramShortName"), info.ProgramShortName);
        FEngine->SetParam(QStringLiteral("TempDir"), IncludeBackslash(info.ProgramTempDir));
        for (const QString& line : AParams) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                FEngine->SetParam(line.left(eq), line.mid(eq + 1));
        }
    }
    if (const TSetup* setup = TSetup::Instance()) {
        const QImage& logo = setup->General()->Logo();
        if (!logo.isNull()) {
            ForceFolders(ExcludeBackslash(ProgramTempDir()));
            logo.save(LogoFileName(), "BMP");
        }
    }
    return opened;
}

bool TDataManPrint::Print(const QString& AReportName)
{
    const bool confirmed = FEngine && FEngine->PrinterSetup(AReportName);
    if (confirmed)
        FEngine->ExecuteReport(AReportName);
    FTables.Close();
    QFile::remove(LogoFileName());
    return confirmed;
}
