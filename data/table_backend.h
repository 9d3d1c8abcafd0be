// Where a table's rows are kept: its connection, the SQL names that differ
// from store to store, and opening, writing and closing. TTable keeps the
// cursor and the records above it, the same for every store.
#pragma once

#include "data/table_schema.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

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
    // True once after another connection committed since the last look.
    virtual bool ChangedElsewhere() = 0;
    // The table at the backend's name is no longer the one open.
    virtual bool Replaced() const = 0;
    // A statement on the SQLite connection prepared once; none elsewhere.
    virtual sqlite3_stmt* KeptStatement(const QByteArray& ASql) const
    {
        Q_UNUSED(ASql);
        return nullptr;
    }
};
