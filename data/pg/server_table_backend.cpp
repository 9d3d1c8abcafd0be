#include "data/pg/server_table_backend.h"

#include "data/pg/pg_schema.h"

#include <QStringList>

#include <utility>

TServerTableBackend::TServerTableBackend(QString AConnInfo, const QString& AFileName)
    : FConnInfo(std::move(AConnInfo)),
      FTable(PgTableName(AFileName))
{
}

TServerTableBackend::~TServerTableBackend()
{
    FConnection.Close();
}

QSqlDatabase TServerTableBackend::Database() const
{
    return FConnection.Database();
}

QString TServerTableBackend::Column(const QString& AFieldName) const
{
    return SqlQuotedName(PgColumnName(AFieldName));
}

QString TServerTableBackend::Connect()
{
    if (FTable.isEmpty())
        return QStringLiteral("The server keeps no table of that name.");
    QString error = FConnection.Open(FConnInfo);
    QSqlDatabase db = FConnection.Database();
    if (error.isEmpty())
        error = EnsurePgSchema(db);
    if (error.isEmpty())
        error = FConnection.Listen(PgChangeChannel(FTable), [this](const QString&, const QString&, bool AFromSelf) {
            // This connection's own commits are no news to it.
            if (!AFromSelf) {
                FChanged = true;
                ++FHeard;
            }
        });
    if (error.isEmpty()) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT pg_get_serial_sequence(?, 'id')"));
        query.addBindValue(DataTable());
        FSequence = query.exec() && query.next() ? query.value(0).toString() : QString();
    }
    if (!error.isEmpty())
        FConnection.Close();
    return error;
}

TOpenResult TServerTableBackend::OpenForReading(TFieldDefs& AFieldDefs, QString& AError)
{
    const QString error = Connect();
    if (!error.isEmpty()) {
        AError = error;
        return orLocked;
    }
    // Whatever was committed before this connection is what it reads.
    FChanged = false;
    FReconnected = false;
    FWanted = true;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral(
        "SELECT column_name FROM information_schema.columns WHERE table_schema = 'plenvo' AND table_name = ?"));
    query.addBindValue(FTable);
    if (!query.exec()) {
        AError = PgErrorText(query.lastError());
        FConnection.Close();
        return orLocked;
    }
    QStringList columns;
    while (query.next())
        columns << query.value(0).toString();
    for (const TFieldDef& def : AFieldDefs) {
        if (!columns.contains(PgColumnName(def.Name))) {
            AError = QStringLiteral("The server's table %1 has no column %2.").arg(DataTable(), PgColumnName(def.Name));
            FConnection.Close();
            return orDamaged;
        }
    }
    return orOpened;
}

TOpenResult TServerTableBackend::StartWriting(
    const TFieldDefs& AFieldDefs, bool AAgain, bool& AWritable, bool& ABusy, QString& AError)
{
    Q_UNUSED(AFieldDefs);
    Q_UNUSED(AAgain);
    Q_UNUSED(AError);
    // The server takes every write it allows; what it refuses it says then.
    AWritable = true;
    ABusy = false;
    return orOpened;
}

bool TServerTableBackend::Create(const TFieldDefs& AFieldDefs)
{
    Q_UNUSED(AFieldDefs);
    // The schema is all there is to make; a table there keeps its rows.
    const bool made = Connect().isEmpty();
    FConnection.Close();
    return made;
}

void TServerTableBackend::Close(bool AWrote)
{
    Q_UNUSED(AWrote);
    FWanted = false;
    FConnection.Close();
    FChanged = false;
}

bool TServerTableBackend::Begin(QString& AError)
{
    if (FConnection.IsOpen() && FConnection.Exec(QStringLiteral("BEGIN")).isEmpty()) {
        if (FTable == QLatin1String("jobs"))
            return true; // a relation's key decides in the write itself
        // A register's or the templates' writers take turns, as a folder's
        // do: one that lost a race to a name reads it and wins the next try.
        AError = FConnection.Exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('%1'))").arg(DataTable()));
        if (AError.isEmpty())
            return true;
        FConnection.Exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    // The connection is lost (the server restarted, the network broke): a
    // new one, on which whatever others committed meanwhile is news.
    const QString error = Connect();
    if (!error.isEmpty()) {
        AError = error;
        return false;
    }
    FReconnected = true;
    FChanged = true;
    ++FHeard;
    AError.clear();
    return false;
}

bool TServerTableBackend::Commit(QString& AError)
{
    // After a failed statement the server keeps nothing of the transaction,
    // and its COMMIT rolls back without a word: ask first.
    AError = FConnection.Exec(QStringLiteral("SELECT 1"));
    if (AError.isEmpty())
        AError = FConnection.Exec(QStringLiteral("COMMIT"));
    return AError.isEmpty();
}

qint64 TServerTableBackend::InsertedKey(QSqlQuery& AQuery) const
{
    return AQuery.next() ? AQuery.value(0).toLongLong() : 0;
}

bool TServerTableBackend::LostRace(const QSqlError& AError) const
{
    const QString state = AError.nativeErrorCode();
    return state == QLatin1String("23505") || state == QLatin1String("40001") || state == QLatin1String("40P01");
}

bool TServerTableBackend::Reconnected()
{
    return std::exchange(FReconnected, false);
}

qint64 TServerTableBackend::AutoIncValue()
{
    if (FSequence.isEmpty())
        return 0;
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("SELECT CASE WHEN is_called THEN last_value ELSE 0 END FROM %1").arg(FSequence))
        || !query.next())
        return 0;
    return query.value(0).toLongLong();
}

bool TServerTableBackend::RaiseAutoIncValue(qint64 AValue, QString& AError)
{
    if (FSequence.isEmpty() || AValue <= AutoIncValue())
        return true;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT setval(?::regclass, ?, true)"));
    query.addBindValue(FSequence);
    query.addBindValue(AValue);
    if (query.exec())
        return true;
    AError = PgErrorText(query.lastError());
    return false;
}

bool TServerTableBackend::Revive(const std::function<void()>& ABefore)
{
    if (!FWanted || FConnection.Healthy())
        return false;
    // A server that stays away is asked again once a second at most.
    if (FSilentSince.isValid() && FSilentSince.elapsed() < 1000)
        return false;
    switch (FProbe.Poll(FConnInfo)) {
    case TPgProbe::psWaiting:
        return false;
    case TPgProbe::psSilent:
        FSilentSince.start();
        return false;
    case TPgProbe::psAnswers:
        break;
    }
    ABefore();
    if (!Connect().isEmpty()) {
        FSilentSince.start();
        return false;
    }
    FSilentSince.invalidate();
    FChanged = true;
    ++FHeard;
    return true;
}

bool TServerTableBackend::ChangedElsewhere()
{
    FConnection.TakeNotifications();
    return std::exchange(FChanged, false);
}

qint64 TServerTableBackend::HeardChanges()
{
    FConnection.TakeNotifications();
    return FHeard;
}
