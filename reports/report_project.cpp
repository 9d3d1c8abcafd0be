#include "reports/report_project.h"

#include "reports/print_table.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

int TReportBand::LineCount() const
{
    int lines = 1;
    for (const auto& column : Columns)
        lines = std::max(lines, column.Line + 1);
    return lines;
}

bool TReportProject::LoadFromFile(const QString& AFileName, QString& AError)
{
    QFile file(AFileName);
    if (!file.exists()) {
        AError = QStringLiteral("the file does not exist");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        AError = file.errorString();
        return false;
    }
    return LoadFromData(file.readAll(), AError);
}

bool TReportProject::LoadFromData(const QByteArray& AData, QString& AError)
{
    FRoot = {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(AData, &error);
    if (error.error != QJsonParseError::NoError) {
        // Line numbers help whoever edits the file by hand.
        const int line = static_cast<int>(AData.left(error.offset).count('\n')) + 1;
        AError = QStringLiteral("%1 at line %2").arg(error.errorString()).arg(line);
        return false;
    }
    if (!document.isObject() || !document.object().value(QStringLiteral("Reports")).isObject()) {
        AError = QStringLiteral("it holds no \"Reports\" object");
        return false;
    }
    FRoot = document.object();
    return true;
}

QStringList TReportProject::ReportNames() const
{
    return FRoot.value(QStringLiteral("Reports")).toObject().keys();
}

bool TReportProject::HasReport(const QString& AName) const
{
    return FRoot.value(QStringLiteral("Reports")).toObject().contains(AName);
}

namespace {
// A value given inline or as the name of an entry in a shared section.
bool Resolve(
    const QJsonObject& ARoot, const QString& ASection, const QJsonValue& AValue, QJsonObject& AObject, QString& AError)
{
    if (AValue.isObject()) {
        AObject = AValue.toObject();
        return true;
    }
    if (AValue.isString()) {
        const QJsonValue shared = ARoot.value(ASection).toObject().value(AValue.toString());
        if (shared.isObject()) {
            AObject = shared.toObject();
            return true;
        }
        AError = QStringLiteral("\"%1\" is not in \"%2\"").arg(AValue.toString(), ASection);
        return false;
    }
    AError = QStringLiteral("an entry of \"%1\" is missing").arg(ASection);
    return false;
}

Qt::Alignment ParseAlign(const QString& AText)
{
    if (AText == QLatin1String("Right"))
        return Qt::AlignRight;
    if (AText == QLatin1String("Center"))
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

bool CheckField(const QString& AName, const TPrintTable& ATable, QString& AError)
{
    if (ATable.FieldIndex(AName) >= 0)
        return true;
    AError = QStringLiteral("%1 has no field \"%2\"").arg(ATable.ConnectionName(), AName);
    return false;
}

// Every {Field} and {A|B} of a template must name fields of the band's table.
bool CheckFields(const QString& ATemplate, const TPrintTable& ATable, QString& AError)
{
    static const QRegularExpression field(QStringLiteral("\\{([A-Za-z]+(?:\\|[A-Za-z]+)*)\\}"));
    for (auto it = field.globalMatch(ATemplate); it.hasNext();)
        for (const QString& name : it.next().captured(1).split(QLatin1Char('|')))
            if (!CheckField(name, ATable, AError))
                return false;
    return true;
}

bool ParseOverlaps(const QJsonValue& AValue, const TPrintTable& ATable, QStringList& AFields, QString& AError)
{
    if (AValue.isUndefined())
        return true;
    for (const QJsonValue& name : AValue.toArray())
        AFields << name.toString();
    for (const QString& name : AFields)
        if (!CheckField(name, ATable, AError))
            return false;
    const auto isDate = [&](const QString& AName) {
        return ATable.Fields()[static_cast<size_t>(ATable.FieldIndex(AName))].Type == pftDate;
    };
    if (AFields.size() != 2 || !isDate(AFields[0]) || !isDate(AFields[1])) {
        AError = QStringLiteral("\"IfOverlaps\" of %1 needs a From and a To date field").arg(ATable.ConnectionName());
        return false;
    }
    return true;
}

bool ParseBand(const QJsonObject& ARoot, const QJsonValue& AValue, bool ADetail, TReportBand& ABand, QString& AError)
{
    static const TPrintTables schema;
    QJsonObject object;
    if (!Resolve(ARoot, QStringLiteral("Bands"), AValue, object, AError))
        return false;
    ABand.Connection = object.value(QStringLiteral("Connection")).toString();
    const TPrintTable* table = schema.ByConnection(ABand.Connection);
    if (!table) {
        AError = QStringLiteral("unknown connection \"%1\"").arg(ABand.Connection);
        return false;
    }
    ABand.Link = object.value(QStringLiteral("Link")).toString();
    if (ADetail && table->FieldIndex(ABand.Link) < 0) {
        AError = QStringLiteral("the detail rows need a \"Link\" field of %1").arg(ABand.Connection);
        return false;
    }
    ABand.Indent = object.value(QStringLiteral("Indent")).toDouble(ADetail ? 6 : 0);
    ABand.Size = object.value(QStringLiteral("Size")).toDouble(9);
    ABand.Bold = object.value(QStringLiteral("Bold")).toBool();
    ABand.Rule = object.value(QStringLiteral("Rule")).toBool();
    ABand.ColorField = object.value(QStringLiteral("Color")).toString();
    if (!ABand.ColorField.isEmpty() && !CheckField(ABand.ColorField, *table, AError))
        return false;
    const QJsonObject where = object.value(QStringLiteral("Where")).toObject();
    for (auto it = where.begin(); it != where.end(); ++it) {
        if (!CheckField(it.key(), *table, AError))
            return false;
        ABand.Where.emplace_back(it.key(), it.value().toInt());
    }
    if (ABand.Size < 4 || ABand.Size > 40) {
        AError = QStringLiteral("the text size %1 is out of range").arg(ABand.Size);
        return false;
    }
    const QJsonArray columns = object.value(QStringLiteral("Columns")).toArray();
    for (const QJsonValue& value : columns) {
        const QJsonObject c = value.toObject();
        TReportColumn column;
        column.Caption = c.value(QStringLiteral("Caption")).toString();
        column.Text = c.value(QStringLiteral("Text")).toString();
        column.If = c.value(QStringLiteral("If")).toString();
        column.Width = c.value(QStringLiteral("Width")).toDouble(1);
        column.Line = c.value(QStringLiteral("Line")).toInt(0);
        column.Align = ParseAlign(c.value(QStringLiteral("Align")).toString());
        column.Bold = c.value(QStringLiteral("Bold")).toBool(ABand.Bold);
        column.Italic = c.value(QStringLiteral("Italic")).toBool();
        column.Size = c.value(QStringLiteral("Size")).toDouble(0);
        if (column.Width <= 0 || column.Line < 0 || column.Line > 1
            || (column.Size != 0 && (column.Size < 4 || column.Size > 40))) {
            AError = QStringLiteral("a column of %1 has a bad width, line or size").arg(ABand.Connection);
            return false;
        }
        if (!CheckFields(column.Text, *table, AError))
            return false;
        if (!column.If.isEmpty() && !CheckField(column.If, *table, AError))
            return false;
        if (!ParseOverlaps(c.value(QStringLiteral("IfOverlaps")), *table, column.IfOverlaps, AError))
            return false;
        ABand.Columns.push_back(column);
    }
    if (ABand.Columns.empty()) {
        AError = QStringLiteral("the rows of %1 have no columns").arg(ABand.Connection);
        return false;
    }
    return true;
}
} // namespace

bool TReportProject::Layout(const QString& AName, TReportLayout& ALayout, QString& AError) const
{
    const QJsonValue value = FRoot.value(QStringLiteral("Reports")).toObject().value(AName);
    if (!value.isObject()) {
        AError = QStringLiteral("the report is missing");
        return false;
    }
    const QJsonObject report = value.toObject();
    ALayout = {};
    ALayout.Name = AName;

    QJsonObject header;
    if (!Resolve(FRoot, QStringLiteral("Headers"), report.value(QStringLiteral("Header")), header, AError))
        return false;
    ALayout.Header.Logo = header.value(QStringLiteral("Logo")).toString();
    ALayout.Header.LogoTransparent = header.value(QStringLiteral("LogoTransparent")).toBool();
    ALayout.Header.Title = header.value(QStringLiteral("Title")).toString();
    for (const QJsonValue& line : header.value(QStringLiteral("Lines")).toArray())
        ALayout.Header.Lines << line.toString();

    QJsonObject footer;
    if (!Resolve(FRoot, QStringLiteral("Footers"), report.value(QStringLiteral("Footer")), footer, AError))
        return false;
    ALayout.Footer.Left = footer.value(QStringLiteral("Left")).toString();
    ALayout.Footer.Right = footer.value(QStringLiteral("Right")).toString();

    ALayout.Columns = report.value(QStringLiteral("Columns")).toInt(1);
    if (ALayout.Columns != 1 && ALayout.Columns != 2) {
        AError = QStringLiteral("\"Columns\" must be 1 or 2");
        return false;
    }
    ALayout.ColumnCaptions = report.value(QStringLiteral("ColumnCaptions")).toBool(true);
    if (report.contains(QStringLiteral("Empty")))
        ALayout.EmptyText = report.value(QStringLiteral("Empty")).toString();
    if (!ParseBand(FRoot, report.value(QStringLiteral("Master")), false, ALayout.Master, AError))
        return false;
    if (report.contains(QStringLiteral("Detail"))) {
        TReportBand detail;
        if (!ParseBand(FRoot, report.value(QStringLiteral("Detail")), true, detail, AError))
            return false;
        ALayout.Detail = std::move(detail);
    }
    return true;
}
