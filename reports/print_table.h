// The in-memory print tables a list printer fills and a report reads. They are
// never saved; texts longer than their field are cut to its size on append.
#pragma once

#include "core/utils.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

enum TPrintFieldType { pftInteger, pftText, pftDate, pftBoolean };

struct TPrintField {
    QString Name;
    TPrintFieldType Type = pftInteger;
    int Size = 0; // characters, texts only
};

class TPrintTable {
public:
    TPrintTable(const QString& AName, const QString& AConnectionName, std::vector<TPrintField> AFields);

    const QString& Name() const { return FName; }
    const QString& ConnectionName() const { return FConnectionName; }
    const std::vector<TPrintField>& Fields() const { return FFields; }
    // Position of a field, -1 when the table has none of that name.
    int FieldIndex(const QString& AFieldName) const;

    bool Active() const { return FActive; }
    // Opens the table empty.
    bool Open();
    // Closes the table; its rows are discarded.
    void Close();

    // Appends a row of field=value pairs; absent fields take 0, empty or false.
    // Refused (false, nothing appended) when closed or a name is no field.
    bool Append(const QHash<QString, QVariant>& AValues);
    int RowCount() const { return static_cast<int>(FRows.size()); }
    // A stored value; invalid for a row or field that does not exist.
    QVariant Value(int ARow, const QString& AFieldName) const;
    QString AsString(int ARow, const QString& AFieldName) const;
    int AsInteger(int ARow, const QString& AFieldName) const;
    TDate AsDate(int ARow, const QString& AFieldName) const;
    bool AsBoolean(int ARow, const QString& AFieldName) const;

private:
    QVariant Normalized(const TPrintField& AField, const QVariant& AValue) const;

    QString FName;
    QString FConnectionName;
    std::vector<TPrintField> FFields;
    std::vector<std::vector<QVariant>> FRows;
    bool FActive = false;
};

// The three print tables with their connection names.
inline const QString ReportDSCWorkplaces = QStringLiteral("ReportDSCWorkplaces");
inline const QString ReportDSCPersons = QStringLiteral("ReportDSCPersons");
inline const QString ReportDSCDays = QStringLiteral("ReportDSCDays");

struct TPrintTables {
    TPrintTables();

    TPrintTable DSPrintWorkplaces;
    TPrintTable DSPrintPersons;
    TPrintTable DSPrintDays;

    // Opens all three empty, workers first, then workplaces, then days.
    bool Open();
    void Close();
    // The table bound to a connection name; none for an unknown name.
    const TPrintTable* ByConnection(const QString& AConnectionName) const;
};
