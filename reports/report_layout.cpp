#include "reports/report_layout.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <map>

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

// {Field} a field of the row, {@Name} a parameter, {#Page} and {#Pages}.
QString Expand(const QString& ATemplate, const TPrintTable* ATable, int ARow, const TReportParams& AParams,
    int APage = 0, int APages = 0)
{
    static const QRegularExpression token(QStringLiteral("\\{([@#]?)([A-Za-z]+)\\}"));
    QString result;
    qsizetype last = 0;
    for (auto it = token.globalMatch(ATemplate); it.hasNext();) {
        const auto match = it.next();
        result += ATemplate.mid(last, match.capturedStart() - last);
        const QString kind = match.captured(1);
        const QString name = match.captured(2);
        if (kind == QLatin1String("@"))
            result += AParams.value(name);
        else if (kind == QLatin1String("#"))
            result += name == QLatin1String("Pages") ? QString::number(APages) : QString::number(APage);
        else if (ATable)
            result += FieldText(*ATable, ARow, name);
        last = match.capturedEnd();
    }
    result += ATemplate.mid(last);
    return result.trimmed();
}

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
          G(AGeometry)
    {
        FMaster = AConnections ? AConnections(L.Master.Connection) : nullptr;
        FDetail = (L.Detail && AConnections) ? AConnections(L.Detail->Connection) : nullptr;
        FLeft = G.Margins.left();
        FRight = G.Paper.width() - G.Margins.right();
        FTop = G.Margins.top();
        FBottom = G.Paper.height() - G.Margins.bottom();
        FColumnWidth = (FRight - FLeft - ColumnGap * (L.Columns - 1)) / L.Columns;
        FBodyBottom = FBottom - ReportLineHeight(FooterSize) - 2;
        BuildHeader();
    }

    TReportDocument Run()
    {
        Doc.ReportName = L.Name;
        Doc.Paper = G.Paper;
        const int rows = FMaster ? FMaster->RowCount() : 0;
        int selected = 0;
        for (int r = 0; r < rows; ++r)
            if (Selected(L.Master, *FMaster, r))
                ++selected;
        if (selected == 0) {
            NewPage(false);
            AddText(QRectF(FLeft, FBodyTop, FRight - FLeft, ReportLineHeight(10)), QStringLiteral("empty"), L.EmptyText,
                10, false, true, Qt::AlignLeft);
        } else {
            NewPage(true);
            std::map<int, std::vector<int>> details;
            if (FDetail)
                for (int d = 0; d < FDetail->RowCount(); ++d)
                    details[FDetail->AsInteger(d, L.Detail->Link)].push_back(d);
            for (int r = 0; r < rows; ++r) {
                if (!Selected(L.Master, *FMaster, r))
                    continue;
                static const std::vector<int> none;
                const auto found = details.find(FMaster->AsInteger(r, QStringLiteral("ID")));
                PlaceGroup(r, found == details.end() ? none : found->second);
            }
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
    double Remaining() const { return FBodyBottom - FY; }
    // The lines a row prints: the second only when one of its cells has text.
    int RowLines(const TReportBand& ABand, const TPrintTable& ATable, int ARow) const
    {
        if (ABand.LineCount() < 2)
            return 1;
        for (const auto& column : ABand.Columns)
            if (column.Line == 1 && !CellText(column, ATable, ARow).isEmpty())
                return 2;
        return 1;
    }
    double RowHeight(const TReportBand& ABand, const TPrintTable& ATable, int ARow) const
    {
        return RowLines(ABand, ATable, ARow) * ReportLineHeight(ABand.Size) + 0.6;
    }
    QString CellText(const TReportColumn& AColumn, const TPrintTable& ATable, int ARow) const
    {
        if (!AColumn.If.isEmpty() && !FieldSet(ATable, ARow, AColumn.If))
            return {};
        return Expand(AColumn.Text, &ATable, ARow, P);
    }

    TReportItem& AddText(const QRectF& ARect, const QString& ARole, const QString& AText, double ASize, bool ABold,
        bool AItalic, Qt::Alignment AAlign)
    {
        TReportItem item;
        item.Kind = rikText;
        item.Rect = ARect;
        item.Role = ARole;
        item.FullText = AText;
        item.Text = ElideReportText(AText, ARect.width(), ASize, ABold, AItalic);
        item.Size = ASize;
        item.Bold = ABold;
        item.Italic = AItalic;
        item.Align = AAlign;
        item.Column = FColumn;
        Doc.Pages.back().Items.push_back(std::move(item));
        return Doc.Pages.back().Items.back();
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
            if (AText.isEmpty())
                return;
            TReportItem item;
            item.Kind = rikText;
            item.Rect = QRectF(textX, y, FRight - textX, ReportLineHeight(ASize));
            item.Role = ARole;
            item.FullText = AText;
            item.Text = ElideReportText(AText, item.Rect.width(), ASize, ABold, false);
            item.Size = ASize;
            item.Bold = ABold;
            FHeader.push_back(std::move(item));
            y += ReportLineHeight(ASize);
        };
        addLine(QStringLiteral("title"), Expand(L.Header.Title, nullptr, 0, P), 14, true);
        for (const QString& line : L.Header.Lines)
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

    // Captions of a band's first line, above its cells.
    void AddCaptions(const TReportBand& ABand, double AY)
    {
        double total = 0;
        for (const auto& column : ABand.Columns)
            if (column.Line == 0)
                total += column.Width;
        const double x0 = ColumnX(FColumn) + ABand.Indent;
        const double width = FColumnWidth - ABand.Indent;
        double x = x0;
        for (const auto& column : ABand.Columns) {
            if (column.Line != 0)
                continue;
            const double w = width * column.Width / total;
            if (!column.Caption.isEmpty())
                AddText(QRectF(x + CellPadding, AY, w - 2 * CellPadding, ReportLineHeight(CaptionSize)),
                    QStringLiteral("caption"), column.Caption, CaptionSize, true, &ABand != &L.Master, column.Align);
            x += w;
        }
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
            for (const TReportBand* band : bands) {
                AddCaptions(*band, y);
                y += ReportLineHeight(CaptionSize);
            }
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

    void NextColumn()
    {
        if (FColumn + 1 < L.Columns) {
            ++FColumn;
            FY = ColumnTop();
        } else {
            NewPage(true);
        }
    }

    void PlaceBand(const TReportBand& ABand, const TPrintTable& ATable, int ARow, const QString& ARole, bool AContinued)
    {
        const double lineHeight = ReportLineHeight(ABand.Size);
        const int lines = RowLines(ABand, ATable, ARow);
        const double height = RowHeight(ABand, ATable, ARow);
        const double x0 = ColumnX(FColumn) + ABand.Indent;
        const double width = FColumnWidth - ABand.Indent;
        if (!ABand.ColorField.isEmpty()) {
            const TColor color = static_cast<TColor>(ATable.AsInteger(ARow, ABand.ColorField));
            if (color != 0) {
                TReportItem box;
                box.Kind = rikBox;
                box.Rect = QRectF(x0, FY, width, height);
                box.Role = QStringLiteral("band");
                box.Fill = color;
                box.Column = FColumn;
                Doc.Pages.back().Items.push_back(std::move(box));
            }
        }
        // At a column's top the captions' rule is already there.
        if (ABand.Rule && FY > ColumnTop() + 0.01)
            AddLine(x0, FY, width, QStringLiteral("rule"));
        for (int line = 0; line < lines; ++line) {
            double total = 0;
            for (const auto& column : ABand.Columns)
                if (column.Line == line)
                    total += column.Width;
            double x = x0;
            bool first = true;
            for (const auto& column : ABand.Columns) {
                if (column.Line != line)
                    continue;
                const double w = width * column.Width / total;
                QString text = CellText(column, ATable, ARow);
                if (AContinued && first && line == 0)
                    text += QStringLiteral(" (continued)");
                first = false;
                if (!text.isEmpty()) {
                    const double size = column.Size > 0 ? column.Size : ABand.Size;
                    AddText(QRectF(x + CellPadding, FY + 0.3 + line * lineHeight, w - 2 * CellPadding, lineHeight),
                        ARole, text, size, column.Bold, column.Italic, column.Align);
                }
                x += w;
            }
        }
        FY += height;
    }

    // A row with its nested rows stays in one column when it fits one; a longer
    // one starts with at least one nested row and repeats its row when it goes on.
    void PlaceGroup(int ARow, const std::vector<int>& ADetails)
    {
        const double master = RowHeight(L.Master, *FMaster, ARow);
        std::vector<double> details;
        double total = master;
        for (int d : ADetails) {
            details.push_back(RowHeight(*L.Detail, *FDetail, d));
            total += details.back();
        }
        if (total > Remaining()) {
            const double firstPart = master + (details.empty() ? 0 : details.front());
            if (total <= FBodyBottom - ColumnTop() || firstPart > Remaining())
                NextColumn();
        }
        PlaceBand(L.Master, *FMaster, ARow, QStringLiteral("master"), false);
        for (size_t i = 0; i < ADetails.size(); ++i) {
            const int d = ADetails[i];
            if (details[i] > Remaining()) {
                NextColumn();
                PlaceBand(L.Master, *FMaster, ARow, QStringLiteral("master"), true);
            }
            PlaceBand(*L.Detail, *FDetail, d, QStringLiteral("detail"), false);
        }
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
    int FColumn = 0;
};
} // namespace

QFont ReportFont(double ASize, bool ABold, bool AItalic)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
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
