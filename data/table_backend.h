// Where a table's rows are kept: its connection, the SQL names that differ
// from store to store, and opening, writing and closing. TTable keeps the
// cursor and the records above it, the same for every store.
#pragma once

#include "data/table_schema.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <functional>

struct sqlite3_stmt;

// What opening a table found.
enum TOpenResult { orOpened, orMissing, orDamaged, orLocked };

class TTableBackend {
public:
    virtual ~TTableBackend() = default;

    // The connection the table's statements run on; invalid while closed.
    virtual QSqlDatabase Database() const = 0;
    // The data table and the column that keys its rows in ID order, as SQL.
    virtual QString DataTable() const = 0;
    virtual QString RowKey() const = 0;
    // The column of a field, as SQL.
    virtual QString Column(const QString& AFieldName) const { return SqlQuotedName(AFieldName); }

    // Connects for reading and replaces AFieldDefs (the field list given) by
    // the one the store holds; on failure it is disconnected again.
    virtual TOpenResult OpenForReading(TFieldDefs& AFieldDefs, QString& AError) = 0;
    // Whether a connection that may write could be made at all.
    virtual bool MayWrite() const = 0;
    // Connects anew so that it may write; AWritable tells whether it may,
    // ABusy that another writer held it. AAgain: tried again while the user
    // works, so it must not wait. On failure it reads on.
    virtual TOpenResult StartWriting(
        const TFieldDefs& AFieldDefs, bool AAgain, bool& AWritable, bool& ABusy, QString& AError)
        = 0;
    // Writes a new empty table with the field list (replacing one there only
    // once it is complete), left closed.
    virtual bool Create(const TFieldDefs& AFieldDefs) = 0;
    // Connects to an empty table in memory with the field list.
    virtual bool OpenStandIn(const TFieldDefs& AFieldDefs) = 0;
    // Disconnects; AWrote: it was open for writing and may fold its log back.
    virtual void Close(bool AWrote) = 0;

    // Opens a write transaction.
    virtual bool Begin(QString& AError) = 0;
    // The last ID the table's counter gave out (0 when none).
    virtual qint64 AutoIncValue() = 0;
    // Moves the counter on to AValue unless it is there or past it already:
    // rows copied in with their IDs keep the IDs given out before.
    virtual bool RaiseAutoIncValue(qint64 AValue, QString& AError) = 0;
    // True once after another connection committed since the last look.
    virtual bool ChangedElsewhere() = 0;
    // A connection lost since the table opened is made anew once the store
    // answers again, asked without waiting; true when it was, after which
    // what others committed meanwhile is news. ABefore runs first: the
    // statements prepared on the old connection go.
    virtual bool Revive(const std::function<void()>& ABefore)
    {
        Q_UNUSED(ABefore);
        return false;
    }
    // How many commits of other connections the store told of so far; -1
    // where it tells none (a file's connection has its own means).
    virtual qint64 HeardChanges() { return -1; }
    // The table at the backend's name is no longer the one open.
    virtual bool Replaced() const = 0;
    // Commits the write transaction; false (the reason in AError) when
    // nothing of it was stored.
    virtual bool Commit(QString& AError)
    {
        QSqlQuery query(Database());
        if (query.exec(QStringLiteral("COMMIT")))
            return true;
        AError = query.lastError().text();
        return false;
    }
    // What ends an insert so that it gives the new row's key back, and that
    // key once it ran; SQLite's connection knows it without asking.
    virtual QString InsertReturning() const { return QString(); }
    virtual qint64 InsertedKey(QSqlQuery& AQuery) const { return AQuery.lastInsertId().toLongLong(); }
    // True once after a Begin that failed because it made the connection
    // anew: the statements prepared on the old one are to go before Begin is
    // tried again.
    virtual bool Reconnected() { return false; }
    // Whether a write failed only because another connection's write got
    // there first; a file's writers take turns, so it never happens there.
    virtual bool LostRace(const QSqlError& AError) const
    {
        Q_UNUSED(AError);
        return false;
    }
    // Whether rows whose IDs are not usable can be stored at all; a server
    // refuses them itself.
    virtual bool KeepsUnusableRows() const { return true; }
    // How many values one statement may bind.
    virtual int MaxBoundValues() const { return 999; }
    // The rows live on a database server, not in a file of a folder.
    virtual bool OnServer() const { return false; }
    // A statement on the SQLite connection prepared once; none elsewhere.
    virtual sqlite3_stmt* KeptStatement(const QByteArray& ASql) const
    {
        Q_UNUSED(ASql);
        return nullptr;
    }
};
