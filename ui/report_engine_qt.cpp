#include "ui/report_engine_qt.h"

#include "core/dialogs.h"
#include "core/program_info.h"
#include "core/utils.h"
#include "reports/report_paint.h"
#include "reports/report_project.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProgressDialog>

TQtReportEngine::TQtReportEngine()
    : FProjectFile(
        ReportProjectFileName(ProgramInfo().ProgramFileName.isEmpty() ? QCoreApplication::applicationFilePath()
                                                                      : ProgramInfo().ProgramFileName)),
      FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    FPrinter->setDocName(ReportJobTitle);
    FPrinter->setPageSize(QPageSize(QPageSize::A4));
}

void TQtReportEngine::SetDataConnection(const QString& AConnectionName, const TPrintTable* ATable)
{
    if (ATable)
        FConnections[AConnectionName] = ATable;
    else
        FConnections.erase(AConnectionName);
}

bool TQtReportEngine::PrinterSetup(const QString& AReportName)
{
    // The printer dialog proposes its PDF from the output file name, or from
    // the document name where there is none. The user is asked about
    // overwriting only a file he named himself: the proposal is a new file.
    TReportProject project;
    TReportLayout layout;
    QString reason;
    const bool known = project.LoadFromFile(FProjectFile, reason) && project.Layout(AReportName, layout, reason);
    const QString base = known ? ReportFileBaseName(layout.Header, FParams) : AReportName;
    QString folder = GetSpecialFolder(CSIDL_PERSONAL);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString fileName = QDir(folder).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(fileName); ++n)
        fileName = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    if (FPrinter->outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinters().isEmpty())
        FPrinter->setOutputFileName(fileName);
    FPrinter->setDocName(QFileInfo(fileName).completeBaseName());
    const bool confirmed = Dialogs().PrintSetup(FPrinter.get());
    FPrinter->setDocName(ReportJobTitle);
    return confirmed;
}

bool TQtReportEngine::LayoutNamedReport(const QString& AReportName, TReportDocument& ADocument, QString& AMessage) const
{
    const QString file = QDir::toNativeSeparators(FProjectFile);
    TReportProject project;
    QString reason;
    if (!project.LoadFromFile(FProjectFile, reason)) {
        AMessage
            = QStringLiteral("The report project file \"%1\" cannot be read (%2).\r\nThe report \"%3\" is not printed.")
                  .arg(file, reason, AReportName);
        return false;
    }
    TReportLayout layout;
    if (!project.HasReport(AReportName)) {
        AMessage = QStringLiteral("The report \"%1\" is not in the report project file \"%2\".\r\nNothing is printed.")
                       .arg(AReportName, file);
        return false;
    }
    if (!project.Layout(AReportName, layout, reason)) {
        AMessage = QStringLiteral(
            "The report \"%1\" of the report project file \"%2\" is not valid (%3).\r\nNothing is printed.")
                       .arg(AReportName, file, reason);
        return false;
    }
    for (const TReportBand* band : {&layout.Master, layout.Detail ? &*layout.Detail : nullptr})
        if (band && !FConnections.count(band->Connection)) {
            AMessage = QStringLiteral(
                "The report \"%1\" reads the data connection \"%2\", which is not bound.\r\nNothing is printed.")
                           .arg(AReportName, band->Connection);
            return false;
        }
    TReportPageGeometry geometry;
    geometry.Paper = FPrinter->pageLayout().fullRect(QPageLayout::Millimeter).size();
    const auto connections = [this](const QString& AName) -> const TPrintTable* {
        const auto it = FConnections.find(AName);
        return it == FConnections.end() ? nullptr : it->second;
    };
    ADocument = LayoutReport(layout, FParams, connections, geometry);
    return true;
}

bool TQtReportEngine::ExecuteReport(const QString& AReportName)
{
    TReportDocument document;
    QString message;
    if (!LayoutNamedReport(AReportName, document, message)) {
        ShowMessageBox(message, mtError, mbOK);
        return false;
    }
    // The printer dialog chose where the report goes; the output options only
    // add a preview before it.
    const bool toFile = FPrinter->outputFormat() == QPrinter::PdfFormat;
    if (toFile && FPrinter->outputFileName().isEmpty())
        FPrinter->setOutputFileName(QDir::home().filePath(AReportName + QStringLiteral(".pdf")));
    const QString fileName = FPrinter->outputFileName();
    TReportDestination destination = toFile ? rdFile : rdPrinter;
    if (!Dialogs().ReportOutputOptions(
            destination, toFile ? QDir::toNativeSeparators(fileName) : FPrinter->printerName()))
        return false;
    switch (destination) {
    case rdPrinter: {
        FPrinter->setDocName(ReportJobTitle);
        QProgressDialog status(QString(), QString(), 0, static_cast<int>(document.Pages.size()));
        status.setWindowTitle(QStringLiteral("Report Status"));
        status.setWindowModality(Qt::ApplicationModal);
        status.setMinimumDuration(500);
        const auto onPage = [&status](int APage) {
            status.setLabelText(
                QStringLiteral("Printing page %p").replace(QStringLiteral("%p"), QString::number(APage)));
            status.setValue(APage - 1);
        };
        if (!PaintReport(document, FPrinter.get(), onPage)) {
            ShowMessageBox(QStringLiteral("The report \"%1\" could not be printed.").arg(AReportName), mtError, mbOK);
            return false;
        }
        return true;
    }
    case rdPreview:
        Dialogs().ReportPreview(
            FPrinter.get(), [&document](QPagedPaintDevice* ADevice) { PaintReport(document, ADevice); });
        return true;
    case rdFile:
        if (!SaveReportPdf(document, fileName)) {
            ShowMessageBox(
                QStringLiteral("The report could not be saved to \"%1\".").arg(QDir::toNativeSeparators(fileName)),
                mtError, mbOK);
            return false;
        }
        return true;
    }
    return false;
}
