#include "reports/report_layout.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace {
constexpr double MeasureDpi = 1200;
constexpr double MmPerInch = 25.4;
constexpr double LogoSide = 18;
constexpr double ColumnGap = 6;
constexpr double CellPadding = 0.8;
constexpr double FooterSize = 7.5;
constexpr double CaptionSize = 8;

const QImage& MeasureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(MeasureDpi / MmPerInch * 1000);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFontMetricsF Metrics(double ASize, bool ABold, bool AItalic)
{
    return QFontMetricsF(ReportFont(ASize, ABold, AItalic), &MeasureDevice());
}

QString FieldText(const TPrintTable& ATable, int ARow, const QString& AField)
{
    const int index = ATable.FieldIndex(AField);
    if (index < 0)
        return {};
    switch (ATable.Fields()[static_cast<size_t>(index)].Type) {
    case pftDate: {
        const TDate date = ATable.AsDate(ARow, AField);
        return date == 0 ? QString() : ShortDateText(date);
    }
    case pftBoolean:
        return ATable.AsBoolean(ARow, AField) ? QStringLiteral("Yes") : QString();
    case pftInteger:
        return QString::number(ATable.AsInteger(ARow, AField));
    case pftText:
        return ATable.AsString(ARow, AField);
    }
    return {};
}

bool FieldSet(const TPrintTable& ATable, int ARow, const QString& AField)
{
    const QVariant value = ATable.Value(ARow, AField);
    if (value.typeId() == QMetaType::QString)
        return !value.toString().trimmed().isEmpty();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.toDouble() != 0;
}

// {Field} a field of the row, {@Name} a parameter, {#Page} and {#Pages};
// {A|B|C} the first of them that is not blank.
QString Expand(const QString& ATemplate, const TPrintTable* ATable, int ARow, const TReportParams& AParams,
    int APage = 0, int APages = 0)
{
    static const QRegularExpression token(QStringLiteral("\\{([@#]?)([A-Za-z]+(?:\\|[A-Za-z]+)*)\\}"));
    QString result;
    qsizetype last = 0;
    for (auto it = token.globalMatch(ATemplate); it.hasNext();) {
        const auto match = it.next();
        result += ATemplate.mid(last, match.capturedStart() - last);
        const QString kind = match.captured(1);
        for (const QString& name : match.captured(2).split(QLatin1Char('|'))) {
            QString value;
            if (kind == QLatin1String("@"))
                value = AParams.value(name);
            else if (kind == QLatin1String("#"))
                value = name == QLatin1String("Pages") ? QString::number(APages) : QString::number(APage);
            else if (ATable)
                value = FieldText(*ATable, ARow, name);
            if (!value.trimmed().isEmpty()) {
                result += value;
                break;
            }
        }
        last = match.capturedEnd();
    }
    result += ATemplate.mid(last);
    return result.trimmed();
}

// Whether every placeholder of a header line is a blank parameter (and it
// has one): "Worker: {@PersonName}" with no worker chosen says nothing.
bool OnlyBlankParams(const QString& ATemplate, const TReportParams& AParams)
{
    static const QRegularExpression token(QStringLiteral("\\{[@#]?[A-Za-z|]+\\}"));
    bool any = false;
    for (auto it = token.globalMatch(ATemplate); it.hasNext();) {
        any = true;
        if (!Expand(it.next().captured(0), nullptr, 0, AParams).isEmpty())
            return false;
    }
    return any;
}

// A span of whole days; To 0 is none.
struct TSpan {
    TDate From = 0;
    TDate To = 0;
    bool Overlaps(const TSpan& AOther) const
    {
        return To != 0 && AOther.To != 0 && From <= AOther.To && AOther.From <= To;
    }
};

// The period printed for: the report's DateStart..DateEnd, else its
// ScheduleDate; none for a register.
std::optional<TSpan> ParamSpan(const TReportParams& AParams)
{
    TSpan span;
    if (ShortDateTextToDate(AParams.value(QStringLiteral("DateStart")), span.From)
        && ShortDateTextToDate(AParams.value(QStringLiteral("DateEnd")), span.To))
        return span;
    if (ShortDateTextToDate(AParams.value(QStringLiteral("ScheduleDate")), span.From)) {
        span.To = span.From;
        return span;
    }
    return std::nullopt;
}

// A cell of a measured row: its share of the band's line and its text in lines.
struct TCell {
    const TReportColumn* Column = nullptr;
    double X = 0; // from the band's left edge
    double Width = 0;
    double Size = 9;
    QString Text;
    QStringList Lines;
};

struct TRowLine {
    double Top = 0; // from the row's top
    std::vector<TCell> Cells;
};

struct TRow {
    const TReportBand* Band = nullptr;
    const TPrintTable* Table = nullptr;
    int Row = 0;
    QString Role;
    std::vector<TRowLine> Lines;
    double Height = 0;
};

// A row in reading order: a parent row or one nested under the last parent.
struct TEntry {
    TRow Row;
    size_t Group = 0;
    bool Master = false;
};

QImage LoadLogo(const QString& AFileName, bool ATransparent)
{
    QImage image(AFileName);
    if (image.isNull() || !ATransparent)
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

class TLayouter {
public:
    TLayouter(const TReportLayout& ALayout, const TReportParams& AParams, const TReportConnections& AConnections,
        const TReportPageGeometry& AGeometry)
        : L(ALayout),
          P(AParams),
          G(AGeometry),
          FParamSpan(ParamSpan(AParams))
    {
        FMaster = AConnections ? AConnections(L.Master.Connection) : nullptr;
        FDetail = (L.Detail && AConnections) ? AConnections(L.Detail->Connection) : nullptr;
        FLeft = G.Margins.left();
        FRight = G.Paper.width() - G.Margins.right();
        FTop = G.Margins.top();
        FBottom = G.Paper.height() - G.Margins.bottom();
        FColumnWidth = (FRight - FLeft - ColumnGap * (L.Columns - 1)) / L.Columns;
        FBodyBottom = FBottom - ReportLineHeight(FooterSize) - 2;
        FLimit = FBodyBottom;
        BuildHeader();
    }

    TReportDocument Run()
    {
        Doc.ReportName = L.Name;
        Doc.Paper = G.Paper;
        BuildEntries();
        if (FEntries.empty()) {
            NewPage(false);
            AddWrapped(
                FLeft, FBodyTop, FRight - FLeft, QStringLiteral("empty"), L.EmptyText, 10, false, true, Qt::AlignLeft);
        } else {
            PlaceEntries();
        }
        AddFooters();
        return std::move(Doc);
    }

private:
    static bool Selected(const TReportBand& ABand, const TPrintTable& ATable, int ARow)
    {
        for (const auto& [field, value] : ABand.Where)
            if (ATable.AsInteger(ARow, field) != value)
                return false;
        return true;
    }

    double ColumnX(int AColumn) const { return FLeft + AColumn * (FColumnWidth + ColumnGap); }
    double ColumnTop() const { return FBodyTop + FCaptionsHeight; }
    double ColumnCapacity() const { return FBodyBottom - ColumnTop(); }
    double Remaining() const { return FLimit - FY; }
    bool AtColumnTop() const { return FY <= ColumnTop() + 1e-6; }

    // The span a row is printed for: its parent's day, else the report's period.
    std::optional<TSpan> PrintedSpan(int AMasterRow) const
    {
        if (AMasterRow >= 0 && FMaster->FieldIndex(QStringLiteral("Date")) >= 0) {
            const TDate day = TruncDate(FMaster->AsDate(AMasterRow, QStringLiteral("Date")));
            if (day != 0)
                return TSpan{day, day};
        }
        return FParamSpan;
    }

    QString CellText(const TReportColumn& AColumn, const TPrintTable& ATable, int ARow, int AMasterRow) const
    {
        if (!AColumn.If.isEmpty() && !FieldSet(ATable, ARow, AColumn.If))
            return {};
        if (!AColumn.IfOverlaps.isEmpty()) {
            const TSpan span{TruncDate(ATable.AsDate(ARow, AColumn.IfOverlaps[0])),
                TruncDate(ATable.AsDate(ARow, AColumn.IfOverlaps[1]))};
            const std::optional<TSpan> printed = PrintedSpan(AMasterRow);
            if (span.To == 0 || (printed && !span.Overlaps(*printed)))
                return {};
        }
        return Expand(AColumn.Text, &ATable, ARow, P);
    }

    // Texts and places of a row's cells. An empty cell lends its width to the
    // nearest cell on its left that has text; a line after the first prints
    // only when it has text; a text wider than its cell wraps and the row grows.
    TRow Measure(const TReportBand& ABand, const TPrintTable& ATable, int ARow, int AMasterRow, bool AContinued) const
    {
        TRow row;
        row.Band = &ABand;
        row.Table = &ATable;
        row.Row = ARow;
        row.Role = AMasterRow < 0 ? QStringLiteral("master") : QStringLiteral("detail");
        const double width = FColumnWidth - ABand.Indent;
        double y = 0;
        for (int line = 0; line < ABand.LineCount(); ++line) {
            double total = 0;
            for (const auto& column : ABand.Columns)
                if (column.Line == line)
                    total += column.Width;
            TRowLine cells;
            cells.Top = y;
            double x = 0;
            bool first = true;
            for (const auto& column : ABand.Columns) {
                if (column.Line != line)
                    continue;
                TCell cell;
                cell.Column = &column;
                cell.X = x;
                cell.Width = width * column.Width / total;
                cell.Size = column.Size > 0 ? column.Size : ABand.Size;
                cell.Text = CellText(column, ATable, ARow, AMasterRow);
                if (AContinued && first && line == 0)
                    cell.Text += QStringLiteral(" (continued)");
                first = false;
                x += cell.Width;
                if (!cell.Text.isEmpty())
                    cells.Cells.push_back(std::move(cell));
                else if (!cells.Cells.empty())
                    cells.Cells.back().Width += cell.Width;
            }
            if (line > 0 && cells.Cells.empty())
                continue;
            double height = ReportLineHeight(ABand.Size);
            for (auto& cell : cells.Cells) {
                cell.Lines = WrapReportText(
                    cell.Text, cell.Width - 2 * CellPadding, cell.Size, cell.Column->Bold, cell.Column->Italic);
                height = std::max(height, cell.Lines.size() * CellLineHeight(ABand, cell));
            }
            y += height;
            row.Lines.push_back(std::move(cells));
        }
        row.Height = y + 0.6;
        return row;
    }

    static double CellLineHeight(const TReportBand& ABand, const TCell& ACell)
    {
        return ReportLineHeight(std::max(ABand.Size, ACell.Size));
    }

    void BuildEntries()
    {
        const int rows = FMaster ? FMaster->RowCount() : 0;
        std::map<int, std::vector<int>> details;
        if (FDetail)
            for (int d = 0; d < FDetail->RowCount(); ++d)
                details[FDetail->AsInteger(d, L.Detail->Link)].push_back(d);
        for (int r = 0; r < rows; ++r) {
            if (!Selected(L.Master, *FMaster, r))
                continue;
            const size_t group = FGroups.size();
            FGroups.push_back(r);
            FEntries.push_back({Measure(L.Master, *FMaster, r, -1, false), group, true});
            const auto found = details.find(FMaster->AsInteger(r, QStringLiteral("ID")));
            if (found != details.end())
                for (int d : found->second)
                    FEntries.push_back({Measure(*L.Detail, *FDetail, d, r, false), group, false});
        }
    }

    TRow Continued(size_t AGroup) const { return Measure(L.Master, *FMaster, FGroups[AGroup], -1, true); }

    // A parent row goes where its first nested row fits below it, and with all
    // of them when they fit one column; a nested row that does not fit goes on
    // in the next column under its parent's row repeated.
    void PlaceEntries()
    {
        NewPage(true);
        FLimit = ColumnLimit(0, std::nullopt);
        for (size_t i = 0; i < FEntries.size(); ++i) {
            const TEntry& entry = FEntries[i];
            const bool nested = i + 1 < FEntries.size() && !FEntries[i + 1].Master;
            if (entry.Master) {
                double group = entry.Row.Height;
                for (size_t j = i + 1; j < FEntries.size() && !FEntries[j].Master; ++j)
                    group += FEntries[j].Row.Height;
                const double first = entry.Row.Height + (nested ? FEntries[i + 1].Row.Height : 0);
                if (!AtColumnTop()
                    && (first > Remaining() || (!FBalanced && group > Remaining() && group <= ColumnCapacity())))
                    NextColumn(i, std::nullopt);
                Place(entry.Row);
            } else if (entry.Row.Height > Remaining()) {
                NextColumn(i, entry.Group);
                Place(Continued(entry.Group));
                Place(entry.Row);
            } else {
                Place(entry.Row);
            }
        }
    }

    void NextColumn(size_t AFrom, std::optional<size_t> AContinued)
    {
        if (FColumn + 1 < L.Columns) {
            ++FColumn;
            FY = ColumnTop();
            FLimit = FBodyBottom;
        } else {
            NewPage(true);
            FLimit = ColumnLimit(AFrom, AContinued);
        }
    }

    // Where the left column of a new page ends. When the rest fits both
    // columns they share it evenly, else the left one is filled.
    double ColumnLimit(size_t AFrom, std::optional<size_t> AContinued)
    {
        FBalanced = false;
        if (L.Columns < 2)
            return FBodyBottom;
        struct TPart {
            double Height;
            bool Master;
            size_t Group;
        };
        std::vector<TPart> rest;
        if (AContinued)
            rest.push_back({Continued(*AContinued).Height, true, *AContinued});
        double total = rest.empty() ? 0 : rest.front().Height;
        for (size_t i = AFrom; i < FEntries.size(); ++i) {
            rest.push_back({FEntries[i].Row.Height, FEntries[i].Master, FEntries[i].Group});
            total += FEntries[i].Row.Height;
        }
        const double capacity = ColumnCapacity();
        if (total > 2 * capacity)
            return FBodyBottom;
        size_t count = 0;
        double left = 0;
        while (count < rest.size() && left < total / 2 - 1e-6)
            left += rest[count++].Height;
        // A parent row never ends the column without its first nested row.
        if (count > 0 && count < rest.size() && rest[count - 1].Master && !rest[count].Master) {
            if (left + rest[count].Height <= capacity)
                left += rest[count++].Height;
            else
                left -= rest[--count].Height;
        }
        double right = total - left;
        if (count > 0 && count < rest.size() && !rest[count].Master)
            right += Continued(rest[count].Group).Height;
        if (count == 0 || left > capacity || right > capacity)
            return FBodyBottom;
        FBalanced = true;
        return ColumnTop() + left + 1e-6;
    }

    TReportItem& AddText(const QRectF& ARect, const QString& ARole, const QString& AText, const QString& AFullText,
        double ASize, bool ABold, bool AItalic, Qt::Alignment AAlign)
    {
        TReportItem item;
        item.Kind = rikText;
        item.Rect = ARect;
        item.Role = ARole;
        item.Text = AText;
        item.FullText = AFullText;
        item.Size = ASize;
        item.Bold = ABold;
        item.Italic = AItalic;
        item.Align = AAlign;
        item.Column = FColumn;
        Doc.Pages.back().Items.push_back(std::move(item));
        return Doc.Pages.back().Items.back();
    }

    // A text in as many lines as its width needs; returns their height.
    double AddWrapped(double AX, double AY, double AWidth, const QString& ARole, const QString& AText, double ASize,
        bool ABold, bool AItalic, Qt::Alignment AAlign)
    {
        const double height = ReportLineHeight(ASize);
        const QStringList lines = WrapReportText(AText, AWidth, ASize, ABold, AItalic);
        for (qsizetype i = 0; i < lines.size(); ++i)
            AddText(QRectF(AX, AY + i * height, AWidth, height), ARole, lines[i], AText, ASize, ABold, AItalic, AAlign);
        return lines.size() * height;
    }

    void AddLine(double AX, double AY, double AWidth, const QString& ARole)
    {
        TReportItem item;
        item.Kind = rikLine;
        item.Rect = QRectF(AX, AY, AWidth, 0);
        item.Role = ARole;
        item.Column = FColumn;
        Doc.Pages.back().Items.push_back(std::move(item));
    }

    void BuildHeader()
    {
        double textX = FLeft;
        double bottom = FTop;
        const QImage logo = L.Header.Logo.isEmpty()
                                ? QImage()
                                : LoadLogo(Expand(L.Header.Logo, nullptr, 0, P), L.Header.LogoTransparent);
        if (!logo.isNull()) {
            TReportItem item;
            item.Kind = rikPicture;
            item.Rect = QRectF(FLeft, FTop, LogoSide, LogoSide);
            item.Role = QStringLiteral("logo");
            item.Picture = logo;
            FHeader.push_back(std::move(item));
            textX += LogoSide + 3;
            bottom = FTop + LogoSide;
        }
        double y = FTop;
        const auto addLine = [&](const QString& ARole, const QString& AText, double ASize, bool ABold) {
            const double height = ReportLineHeight(ASize);
            const QStringList lines = WrapReportText(AText, FRight - textX, ASize, ABold, false);
            for (const QString& line : lines) {
                if (line.isEmpty())
                    continue;
                TReportItem item;
                item.Kind = rikText;
                item.Rect = QRectF(textX, y, FRight - textX, height);
                item.Role = ARole;
                item.Text = line;
                item.FullText = AText;
                item.Size = ASize;
                item.Bold = ABold;
                FHeader.push_back(std::move(item));
                y += height;
            }
        };
        addLine(QStringLiteral("title"), Expand(L.Header.Title, nullptr, 0, P), 14, true);
        for (const QString& line : L.Header.Lines)
            if (!OnlyBlankParams(line, P))
                addLine(QStringLiteral("headerline"), Expand(line, nullptr, 0, P), 9, false);
        bottom = std::max(bottom, y) + 1.5;
        TReportItem rule;
        rule.Kind = rikLine;
        rule.Rect = QRectF(FLeft, bottom, FRight - FLeft, 0);
        rule.Role = QStringLiteral("rule");
        FHeader.push_back(std::move(rule));
        FBodyTop = bottom + 2;
    }

    bool HasCaptions(const TReportBand& ABand) const
    {
        for (const auto& column : ABand.Columns)
            if (!column.Caption.isEmpty())
                return true;
        return false;
    }

    // Captions of a band's first line, above its cells; returns their height.
    double AddCaptions(const TReportBand& ABand, double AY)
    {
        double total = 0;
        for (const auto& column : ABand.Columns)
            if (column.Line == 0)
                total += column.Width;
        const double width = FColumnWidth - ABand.Indent;
        double x = ColumnX(FColumn) + ABand.Indent;
        double height = ReportLineHeight(CaptionSize);
        for (const auto& column : ABand.Columns) {
            if (column.Line != 0)
                continue;
            const double w = width * column.Width / total;
            if (!column.Caption.isEmpty())
                height
                    = std::max(height, AddWrapped(x + CellPadding, AY, w - 2 * CellPadding, QStringLiteral("caption"),
                                           column.Caption, CaptionSize, true, &ABand != &L.Master, column.Align));
            x += w;
        }
        return height;
    }

    void AddColumnCaptions()
    {
        FCaptionsHeight = 0;
        if (!L.ColumnCaptions)
            return;
        std::vector<const TReportBand*> bands;
        if (HasCaptions(L.Master))
            bands.push_back(&L.Master);
        if (L.Detail && HasCaptions(*L.Detail))
            bands.push_back(&*L.Detail);
        if (bands.empty())
            return;
        for (FColumn = 0; FColumn < L.Columns; ++FColumn) {
            double y = FBodyTop;
            for (const TReportBand* band : bands)
                y += AddCaptions(*band, y);
            AddLine(ColumnX(FColumn), y + 0.5, FColumnWidth, QStringLiteral("rule"));
            FCaptionsHeight = y + 1.5 - FBodyTop;
        }
        FColumn = 0;
    }

    void NewPage(bool ACaptions)
    {
        Doc.Pages.emplace_back();
        Doc.Pages.back().Items = FHeader;
        if (ACaptions)
            AddColumnCaptions();
        FColumn = 0;
        FY = ColumnTop();
    }

    void Place(const TRow& ARow)
    {
        const TReportBand& band = *ARow.Band;
        const double x0 = ColumnX(FColumn) + band.Indent;
        const double width = FColumnWidth - band.Indent;
        if (!band.ColorField.isEmpty()) {
            const TColor color = static_cast<TColor>(ARow.Table->AsInteger(ARow.Row, band.ColorField));
            if (color != 0) {
                TReportItem box;
                box.Kind = rikBox;
                box.Rect = QRectF(x0, FY, width, ARow.Height);
                box.Role = QStringLiteral("band");
                box.Fill = color;
                box.Column = FColumn;
                Doc.Pages.back().Items.push_back(std::move(box));
            }
        }
        // At a column's top the captions' rule is already there.
        if (band.Rule && !AtColumnTop())
            AddLine(x0, FY, width, QStringLiteral("rule"));
        for (const auto& line : ARow.Lines)
            for (const auto& cell : line.Cells) {
                const double height = CellLineHeight(band, cell);
                for (qsizetype i = 0; i < cell.Lines.size(); ++i)
                    AddText(QRectF(x0 + cell.X + CellPadding, FY + 0.3 + line.Top + i * height,
                                cell.Width - 2 * CellPadding, height),
                        ARow.Role, cell.Lines[i], cell.Text, cell.Size, cell.Column->Bold, cell.Column->Italic,
                        cell.Column->Align);
            }
        FY += ARow.Height;
    }

    void AddFooters()
    {
        const int pages = static_cast<int>(Doc.Pages.size());
        const double height = ReportLineHeight(FooterSize);
        const double y = FBottom - height;
        for (int p = 0; p < pages; ++p) {
            auto& items = Doc.Pages[static_cast<size_t>(p)].Items;
            TReportItem rule;
            rule.Kind = rikLine;
            rule.Rect = QRectF(FLeft, y - 0.8, FRight - FLeft, 0);
            rule.Role = QStringLiteral("rule");
            items.push_back(rule);
            const double half = (FRight - FLeft) / 2;
            const auto add = [&](const QString& ATemplate, double AX, Qt::Alignment AAlign) {
                const QString text = Expand(ATemplate, nullptr, 0, P, p + 1, pages);
                if (text.isEmpty())
                    return;
                TReportItem item;
                item.Kind = rikText;
                item.Rect = QRectF(AX, y, half, height);
                item.Role = QStringLiteral("footer");
                item.FullText = text;
                item.Text = ElideReportText(text, half, FooterSize, false, false);
                item.Size = FooterSize;
                item.Align = AAlign;
                items.push_back(std::move(item));
            };
            add(L.Footer.Left, FLeft, Qt::AlignLeft);
            add(L.Footer.Right, FLeft + half, Qt::AlignRight);
        }
    }

    const TReportLayout& L;
    const TReportParams& P;
    TReportPageGeometry G;
    const TPrintTable* FMaster = nullptr;
    const TPrintTable* FDetail = nullptr;
    TReportDocument Doc;
    std::vector<TReportItem> FHeader;
    double FLeft = 0, FRight = 0, FTop = 0, FBottom = 0;
    double FBodyTop = 0, FBodyBottom = 0, FCaptionsHeight = 0, FColumnWidth = 0, FY = 0;
    double FLimit = 0; // where the current column ends
    bool FBalanced = false; // this page's columns share the rest evenly
    int FColumn = 0;
    std::optional<TSpan> FParamSpan;
    std::vector<TEntry> FEntries;
    std::vector<int> FGroups; // the parent row of each group
};
} // namespace

QFont ReportFont(double ASize, bool ABold, bool AItalic)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    // Unshaped text has no ligatures: text taken from a PDF reads "officer", not one glyph for "ffi".
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(ASize);
    font.setBold(ABold);
    font.setItalic(AItalic);
    return font;
}

double ReportLineHeight(double ASize)
{
    return ASize * MmPerInch / 72 * 1.45;
}

double ReportTextWidth(const QString& AText, double ASize, bool ABold, bool AItalic)
{
    return Metrics(ASize, ABold, AItalic).horizontalAdvance(AText) * MmPerInch / MeasureDpi;
}

QStringList WrapReportText(const QString& AText, double AWidth, double ASize, bool ABold, bool AItalic)
{
    const QFontMetricsF metrics = Metrics(ASize, ABold, AItalic);
    // The same allowance as eliding: other resolutions round glyphs differently.
    const double width = AWidth * 0.97 * MeasureDpi / MmPerInch;
    const auto fits = [&](const QString& ALine) { return metrics.horizontalAdvance(ALine) <= width; };
    QStringList lines;
    QString line;
    const auto endLine = [&] {
        lines << line;
        line.clear();
    };
    // Words keep the spaces after them, so the lines join to the whole text.
    static const QRegularExpression word(QStringLiteral("\\S*\\s*"));
    for (auto it = word.globalMatch(AText); it.hasNext();) {
        const QString chunk = it.next().captured();
        if (chunk.isEmpty())
            continue;
        if (fits(line + chunk)) {
            line += chunk;
        } else {
            if (!line.isEmpty())
                endLine();
            // A word wider than the cell breaks where it must; spaces hang.
            for (qsizetype i = 0; i < chunk.size();) {
                const qsizetype length = chunk[i].isHighSurrogate() && i + 1 < chunk.size() ? 2 : 1;
                const QString part = chunk.mid(i, length);
                if (!line.isEmpty() && !part[0].isSpace() && !fits(line + part))
                    endLine();
                line += part;
                i += length;
            }
        }
        if (chunk.contains(QLatin1Char('\n')))
            endLine();
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

QString ElideReportText(const QString& AText, double AWidth, double ASize, bool ABold, bool AItalic)
{
    // A small allowance: devices of another resolution round glyphs differently.
    const double width = AWidth * 0.97;
    if (ReportTextWidth(AText, ASize, ABold, AItalic) <= width)
        return AText;
    return Metrics(ASize, ABold, AItalic).elidedText(AText, Qt::ElideRight, width * MeasureDpi / MmPerInch);
}

TReportDocument LayoutReport(const TReportLayout& ALayout, const TReportParams& AParams,
    const TReportConnections& AConnections, const TReportPageGeometry& AGeometry)
{
    return TLayouter(ALayout, AParams, AConnections, AGeometry).Run();
}
