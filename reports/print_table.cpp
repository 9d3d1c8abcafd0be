#include "reports/print_table.h"

TPrintTable::TPrintTable(const QString& AName, const QString& AConnectionName, std::vector<TPrintField> AFields)
    : FName(AName),
      FConnectionName(AConnectionName),
      FFields(std::move(AFields))
{
}

int TPrintTable::FieldIndex(const QString& AFieldName) const
{
    for (size_t i = 0; i < FFields.size(); ++i)
        if (FFields[i].Name == AFieldName)
            return static_cast<int>(i);
    return -1;
}

bool TPrintTable::Open()
{
    FRows.clear();
    FActive = true;
    return true;
}

void TPrintTable::Close()
{
    FRows.clear();
    FActive = false;
}

QVariant TPrintTable::Normalized(const TPrintField& AField, const QVariant& AValue) const
{
    switch (AField.Type) {
    case pftInteger:
        return QVariant(AValue.isValid() ? AValue.toInt() : 0);
    case pftDate:
        return QVariant(AValue.isValid() ? AValue.toDouble() : 0.0);
    case pftBoolean:
        return QVariant(AValue.isValid() && AValue.toBool());
    case pftText:
        return QVariant(CutText(AValue.toString(), AField.Size));
    }
    return {};
}

bool TPrintTable::Append(const QHash<QString, QVariant>& AValues)
{
    if (!FActive)
        return false;
    for (auto it = AValues.begin(); it != AValues.end(); ++it)
        if (FieldIndex(it.key()) < 0)
            return false;
    std::vector<QVariant> row;
    row.reserve(FFields.size());
    for (const auto& field : FFields)
        row.push_back(Normalized(field, AValues.value(field.Name)));
    FRows.push_back(std::move(row));
    return true;
}

QVariant TPrintTable::Value(int ARow, const QString& AFieldName) const
{
    const int field = FieldIndex(AFieldName);
    if (ARow < 0 || ARow >= RowCount() || field < 0)
        return {};
    return FRows[static_cast<size_t>(ARow)][static_cast<size_t>(field)];
}

QString TPrintTable::AsString(int ARow, const QString& AFieldName) const
{
    return Value(ARow, AFieldName).toString();
}

int TPrintTable::AsInteger(int ARow, const QString& AFieldName) const
{
    return Value(ARow, AFieldName).toInt();
}

TDate TPrintTable::AsDate(int ARow, const QString& AFieldName) const
{
    return Value(ARow, AFieldName).toDouble();
}

bool TPrintTable::AsBoolean(int ARow, const QString& AFieldName) const
{
    return Value(ARow, AFieldName).toBool();
}

TPrintTables::TPrintTables()
    : DSPrintWorkplaces(QStringLiteral("DSPrintWorkplaces"), ReportDSCWorkplaces,
        {{QStringLiteral("ID"), pftInteger, 0}, {QStringLiteral("Shortcut"), pftText, 20},
            {QStringLiteral("Name"), pftText, 40}, {QStringLiteral("Note"), pftText, 80},
            {QStringLiteral("Days"), pftText, 50}, {QStringLiteral("IsDeleted"), pftBoolean, 0},
            {QStringLiteral("DayID"), pftInteger, 0}}),
      DSPrintPersons(QStringLiteral("DSPrintPersons"), ReportDSCPersons,
          {{QStringLiteral("ID"), pftInteger, 0}, {QStringLiteral("Name"), pftText, 50},
              {QStringLiteral("SortingName"), pftText, 50}, {QStringLiteral("Note"), pftText, 80},
              {QStringLiteral("DateOutFrom"), pftDate, 0}, {QStringLiteral("DateOutTo"), pftDate, 0},
              {QStringLiteral("DaysOut"), pftInteger, 0}, {QStringLiteral("IsOut"), pftBoolean, 0},
              {QStringLiteral("NoteOut"), pftText, 80}, {QStringLiteral("WorkplaceID"), pftInteger, 0},
              {QStringLiteral("Workplaces"), pftText, 50}, {QStringLiteral("DayID"), pftInteger, 0},
              {QStringLiteral("Days"), pftText, 50}, {QStringLiteral("IsDeleted"), pftBoolean, 0}}),
      DSPrintDays(QStringLiteral("DSPrintDays"), ReportDSCDays,
          {{QStringLiteral("ID"), pftInteger, 0}, {QStringLiteral("Date"), pftDate, 0},
              {QStringLiteral("DayName"), pftText, 20}, {QStringLiteral("DateWithoutYear"), pftText, 20},
              {QStringLiteral("Color"), pftInteger, 0}, {QStringLiteral("PersonIsOut"), pftBoolean, 0}})
{
}

bool TPrintTables::Open()
{
    return DSPrintPersons.Open() && DSPrintWorkplaces.Open() && DSPrintDays.Open();
}

void TPrintTables::Close()
{
    DSPrintPersons.Close();
    DSPrintWorkplaces.Close();
    DSPrintDays.Close();
}

const TPrintTable* TPrintTables::ByConnection(const QString& AConnectionName) const
{
    for (const TPrintTable* table : {&DSPrintWorkplaces, &DSPrintPersons, &DSPrintDays})
        if (table->ConnectionName() == AConnectionName)
            return table;
    return nullptr;
}
