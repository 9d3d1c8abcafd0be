// The report project file: a JSON document holding the layout of every report
// name. Headers, footers and bands may be named once and referred to by name.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct TReportColumn {
    QString Caption;
    QString Text; // template: {Field}, {@Param}, {A|B} B when A is empty
    QString If; // the cell is empty unless this field is set (non-zero, non-empty, true)
    // Empty, or the From and To date fields of a span: the cell is empty
    // unless that span overlaps the day or period the row is printed for.
    QStringList IfOverlaps;
    double Width = 1; // share of the band's width on its line
    int Line = 0; // 0 the band's first line, 1 the second
    Qt::Alignment Align = Qt::AlignLeft;
    bool Bold = false;
    bool Italic = false;
    double Size = 0; // points; 0 takes the band's
};

struct TReportBand {
    QString Connection;
    QString Link; // detail only: the field holding the master row's ID
    double Indent = 0; // millimetres
    double Size = 9; // points
    bool Bold = false;
    QString ColorField; // fills the band with the row's colour (0x00BBGGRR) when set
    bool Rule = false; // a thin line above the band
    // Only rows whose fields hold these numbers: keeps rows nested under
    // another table out of a list of top-level rows.
    std::vector<std::pair<QString, int>> Where;
    std::vector<TReportColumn> Columns;
    int LineCount() const;
};

struct TReportHeader {
    QString Logo; // template of the picture file
    bool LogoTransparent = false; // the bottom-left pixel's colour is see-through
    QString Title;
    QStringList Lines;
};

struct TReportFooter {
    QString Left;
    QString Right; // {#Page} and {#Pages} are the page number and count
};

struct TReportLayout {
    QString Name;
    TReportHeader Header;
    TReportFooter Footer;
    int Columns = 1;
    bool ColumnCaptions = true;
    QString EmptyText = QStringLiteral("There is nothing to print.");
    TReportBand Master;
    std::optional<TReportBand> Detail;
};

class TReportProject {
public:
    // Reads and parses the file; false with a reason when it cannot.
    bool LoadFromFile(const QString& AFileName, QString& AError);
    bool LoadFromData(const QByteArray& AData, QString& AError);

    QStringList ReportNames() const;
    bool HasReport(const QString& AName) const;
    // Builds and checks a report's layout; false with a reason when it is
    // missing or invalid (unknown connection or field, no columns, …).
    bool Layout(const QString& AName, TReportLayout& ALayout, QString& AError) const;

private:
    QJsonObject FRoot;
};
