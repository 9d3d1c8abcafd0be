#include "reports/report_paint.h"

#include <QBuffer>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {
QRectF ToDevice(const QRectF& ARect, double AScale)
{
    return QRectF(ARect.x() * AScale, ARect.y() * AScale, ARect.width() * AScale, ARect.height() * AScale);
}

QColor ToQColor(TColor AColor)
{
    return QColor(ColorRed(AColor), ColorGreen(AColor), ColorBlue(AColor));
}

void SetUpWriter(QPdfWriter& AWriter, const TReportDocument& ADocument)
{
    AWriter.setTitle(ReportJobTitle);
    AWriter.setCreator(QStringLiteral("Plenvo"));
    const QSizeF paper = ADocument.Paper.isValid() ? ADocument.Paper : QSizeF(210, 297);
    AWriter.setPageLayout(QPageLayout(QPageSize(paper, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
}
} // namespace

void PaintReportPage(QPainter& APainter, const TReportPage& APage, double APixelsPerMm)
{
    for (const TReportItem& item : APage.Items) {
        const QRectF rect = ToDevice(item.Rect, APixelsPerMm);
        switch (item.Kind) {
        case rikText:
            APainter.setFont(ReportFont(item.Size, item.Bold, item.Italic));
            APainter.setPen(Qt::black);
            // drawText clips to the rectangle, so a text never runs into the next.
            APainter.drawText(rect, static_cast<int>(item.Align | Qt::AlignVCenter | Qt::TextSingleLine), item.Text);
            break;
        case rikPicture: {
            QSizeF size = QSizeF(item.Picture.size()).scaled(rect.size(), Qt::KeepAspectRatio);
            APainter.drawImage(QRectF(rect.topLeft(), size), item.Picture);
            break;
        }
        case rikLine:
            APainter.setPen(QPen(Qt::darkGray, 0.2 * APixelsPerMm));
            APainter.drawLine(rect.topLeft(), QPointF(rect.right(), rect.top()));
            break;
        case rikBox:
            APainter.fillRect(rect, ToQColor(item.Fill));
            break;
        }
    }
}

bool PaintReport(const TReportDocument& ADocument, QPagedPaintDevice* ADevice, const std::function<void(int)>& AOnPage)
{
    if (!ADevice)
        return false;
    // The items are placed from the paper's corner; a device that keeps
    // margins paints from inside them, so those are taken back.
    ADevice->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    const QPageLayout layout = ADevice->pageLayout();
    const double scale = ADevice->logicalDpiX() / 25.4;
    const QPointF offset = layout.paintRect(QPageLayout::Millimeter).topLeft() * scale;
    QPainter painter;
    if (!painter.begin(ADevice))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    for (size_t p = 0; p < ADocument.Pages.size(); ++p) {
        if (p > 0 && !ADevice->newPage())
            return false;
        if (AOnPage)
            AOnPage(static_cast<int>(p) + 1);
        painter.save();
        painter.translate(-offset);
        PaintReportPage(painter, ADocument.Pages[p], scale);
        painter.restore();
    }
    return painter.end();
}

QByteArray RenderReportPdf(const TReportDocument& ADocument)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    {
        QPdfWriter writer(&buffer);
        SetUpWriter(writer, ADocument);
        ok = PaintReport(ADocument, &writer);
    }
    return ok ? data : QByteArray();
}

bool SaveReportPdf(const TReportDocument& ADocument, const QString& AFileName)
{
    const QByteArray data = RenderReportPdf(ADocument);
    if (data.isEmpty())
        return false;
    QFile file(AFileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}
