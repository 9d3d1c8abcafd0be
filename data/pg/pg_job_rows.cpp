#include "data/pg/pg_job_rows.h"

#include "data/pg/pg_connection.h"
#include "data/table_schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <map>
#include <tuple>

namespace {
QVariant TextValue(const QString& AText)
{
    return AText.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(AText);
}
} // namespace

bool PgReadJobRows(const QSqlDatabase& ADatabase, qint64 AFrom, qint64 ATo, int APersonID, int AWorkplaceID,
    bool ATexts, std::vector<TJobRow>& ARows, QString& AError)
{
    ARows.clear();
    QString sql = QStringLiteral("SELECT date, person_id, workplace_id, id");
    if (ATexts)
        sql += QStringLiteral(", person_name, workplace_shortcut, workplace_name, note");
    sql += QStringLiteral(" FROM plenvo.jobs WHERE date BETWEEN ? AND ?");
    if (APersonID > 0)
        sql += QStringLiteral(" AND person_id = ?");
    if (AWorkplaceID > 0)
        sql += QStringLiteral(" AND workplace_id = ?");
    sql += QStringLiteral(" ORDER BY date, id");
    QSqlQuery query(ADatabase);
    query.setForwardOnly(true);
    query.prepare(sql);
    query.addBindValue(AFrom);
    query.addBindValue(ATo);
    if (APersonID > 0)
        query.addBindValue(APersonID);
    if (AWorkplaceID > 0)
        query.addBindValue(AWorkplaceID);
    if (!query.exec()) {
        AError = PgErrorText(query.lastError());
        return false;
    }
    while (query.next()) {
        TJobRow row;
        row.Date = static_cast<TDate>(query.value(0).toLongLong());
        row.PersonID = query.value(1).toInt();
        row.WorkplaceID = query.value(2).toInt();
        row.ID = query.value(3).toInt();
        if (ATexts) {
            row.PersonName = query.value(4).toString();
            row.WorkplaceShortcut = query.value(5).toString();
            row.WorkplaceName = query.value(6).toString();
            row.Note = query.value(7).toString();
        }
        ARows.push_back(std::move(row));
    }
    return true;
}

int PgJobRowExists(const QSqlDatabase& ADatabase, qint64 ADate, int APersonID, int AWorkplaceID)
{
    QSqlQuery query(ADatabase);
    query.prepare(
        QStringLiteral("SELECT 1 FROM plenvo.jobs WHERE date = ? AND person_id = ? AND workplace_id = ? LIMIT 1"));
    query.addBindValue(ADate);
    query.addBindValue(APersonID);
    query.addBindValue(AWorkplaceID);
    if (!query.exec())
        return -1;
    return query.next() ? 1 : 0;
}

int PgDeleteJobRows(const QSqlDatabase& ADatabase, qint64 ADate, int APersonID, int AWorkplaceID, QString& AError)
{
    QSqlQuery query(ADatabase);
    query.prepare(QStringLiteral("DELETE FROM plenvo.jobs WHERE date = ? AND person_id = ? AND workplace_id = ?"));
    query.addBindValue(ADate);
    query.addBindValue(APersonID);
    query.addBindValue(AWorkplaceID);
    if (!query.exec()) {
        AError = PgErrorText(query.lastError());
        return -1;
    }
    return query.numRowsAffected();
}

bool PgAppendJobRows(const QSqlDatabase& ADatabase, std::vector<TJobRow>& ARows, QString& AError)
{
    if (ARows.empty())
        return true;
    QStringList values;
    for (size_t i = 0; i < ARows.size(); ++i)
        values << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
    // The key decides in the same statement: no other copy can store the
    // relation between a look and the write.
    QSqlQuery query(ADatabase);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("INSERT INTO plenvo.jobs (date, person_id, person_name, workplace_id, "
                                 "workplace_shortcut, workplace_name, note) VALUES %1 "
                                 "ON CONFLICT ON CONSTRAINT jobs_relation_key DO NOTHING "
                                 "RETURNING id, date, person_id, workplace_id")
                      .arg(values.join(QStringLiteral(", "))));
    for (const TJobRow& row : ARows) {
        query.addBindValue(static_cast<qint64>(row.Date));
        query.addBindValue(row.PersonID);
        query.addBindValue(TextValue(row.PersonName));
        query.addBindValue(row.WorkplaceID);
        query.addBindValue(TextValue(row.WorkplaceShortcut));
        query.addBindValue(TextValue(row.WorkplaceName));
        query.addBindValue(TextValue(row.Note));
    }
    if (!query.exec()) {
        AError = PgErrorText(query.lastError());
        return false;
    }
    std::map<std::tuple<qint64, int, int>, int> stored;
    while (query.next())
        stored[{query.value(1).toLongLong(), query.value(2).toInt(), query.value(3).toInt()}] = query.value(0).toInt();
    std::vector<TJobRow> kept;
    kept.reserve(stored.size());
    for (TJobRow& row : ARows) {
        const auto found = stored.find({static_cast<qint64>(row.Date), row.PersonID, row.WorkplaceID});
        if (found == stored.end())
            continue;
        row.ID = found->second;
        // A relation given twice is stored once.
        stored.erase(found);
        kept.push_back(std::move(row));
    }
    ARows = std::move(kept);
    return true;
}

TDate PgLatestJobDate(const QSqlDatabase& ADatabase, qint64 ANotAfter)
{
    QSqlQuery query(ADatabase);
    query.prepare(QStringLiteral("SELECT max(date) FROM plenvo.jobs WHERE date <= ?"));
    query.addBindValue(ANotAfter);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).isNull() ? 0 : static_cast<TDate>(query.value(0).toLongLong());
}

bool PgReadDayBits(const QSqlDatabase& ADatabase, qint64 AFrom, qint64 ATo, bool AByWorkplace,
    std::vector<std::pair<int, quint64>>& ABits)
{
    ABits.clear();
    QSqlQuery query(ADatabase);
    query.setForwardOnly(true);
    const QString key = AByWorkplace ? QStringLiteral("workplace_id") : QStringLiteral("person_id");
    query.prepare(QStringLiteral("SELECT %1, bit_or(1::bigint << (date - ?)) FROM plenvo.jobs "
                                 "WHERE date BETWEEN ? AND ? GROUP BY %1 ORDER BY %1")
                      .arg(key));
    query.addBindValue(AFrom);
    query.addBindValue(AFrom);
    query.addBindValue(ATo);
    if (!query.exec())
        return false;
    while (query.next())
        ABits.emplace_back(query.value(0).toInt(), static_cast<quint64>(query.value(1).toLongLong()));
    return !query.lastError().isValid();
}
