// Paints laid-out report pages on any paged device: printer, preview, PDF.
#pragma once

#include "reports/report_layout.h"

#include <QByteArray>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// Paints one page; APixelsPerMm maps the items' millimetres to the device.
void PaintReportPage(QPainter& APainter, const TReportPage& APage, double APixelsPerMm);
// Paints every page on the device, one device page each, from the paper's
// corner; false when painting cannot begin. AOnPage hears each page number.
bool PaintReport(
    const TReportDocument& ADocument, QPagedPaintDevice* ADevice, const std::function<void(int)>& AOnPage = {});
// The document as PDF, titled with the print job title; empty on failure.
QByteArray RenderReportPdf(const TReportDocument& ADocument);
bool SaveReportPdf(const TReportDocument& ADocument, const QString& AFileName);

// The title of every print job and PDF.
inline const QString ReportJobTitle = QStringLiteral("Plenvo Report");
