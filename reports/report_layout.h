// Lays a report out into pages of positioned text, picture and line items: a
// pure function of the layout, the parameters, the rows and the page size.
// Painting these items is a separate step, the same for printer, preview, PDF.
#pragma once

#include "core/utils.h"
#include "reports/print_table.h"
#include "reports/report_project.h"

#include <QImage>
#include <QMap>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <vector>

enum TReportItemKind { rikText, rikPicture, rikLine, rikBox };

struct TReportItem {
    TReportItemKind Kind = rikText;
    QRectF Rect; // millimetres from the paper's top-left corner
    QString Role; // logo, title, headerline, caption, master, detail, empty, footer, rule, band
    QString Text; // as printed: one line of a text that wraps, else the whole text
    QString FullText; // the whole text the line belongs to (a footer's before eliding)
    double Size = 9;
    bool Bold = false;
    bool Italic = false;
    Qt::Alignment Align = Qt::AlignLeft;
    TColor Fill = 0; // boxes
    QImage Picture;
    int Column = 0; // body column (0 left, 1 right)
};

struct TReportPage {
    std::vector<TReportItem> Items;
};

struct TReportPageGeometry {
    QSizeF Paper{210, 297}; // millimetres
    QMarginsF Margins{12, 12, 12, 12};
};

struct TReportDocument {
    QString ReportName;
    QSizeF Paper;
    std::vector<TReportPage> Pages;
};

using TReportParams = QMap<QString, QString>;
// The tables by connection name.
using TReportConnections = std::function<const TPrintTable*(const QString&)>;

TReportDocument LayoutReport(const TReportLayout& ALayout, const TReportParams& AParams,
    const TReportConnections& AConnections, const TReportPageGeometry& AGeometry);

// Width of a text in millimetres, as the painter will print it.
double ReportTextWidth(const QString& AText, double ASize, bool ABold, bool AItalic);
// A text broken into lines that fit the width: between words, inside a word
// only when it alone is wider. The lines joined give the text back.
QStringList WrapReportText(const QString& AText, double AWidth, double ASize, bool ABold, bool AItalic);
QString ElideReportText(const QString& AText, double AWidth, double ASize, bool ABold, bool AItalic);
// The font the items are measured and printed in.
QFont ReportFont(double ASize, bool ABold, bool AItalic);
// Height of one text line in millimetres.
double ReportLineHeight(double ASize);
