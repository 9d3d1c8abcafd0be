// A table kept in a table file on SQLite: connections to the file, its
// write-ahead log, recovery after a writer died, and the file's version.
#pragma once

#include "data/table_backend.h"

#include <utility>
#include <vector>

class TFileTableBackend : public TTableBackend {
public:
    explicit TFileTableBackend(QString AFileName);
    ~TFileTableBackend() override;
    TFileTableBackend(const TFileTableBackend&) = delete;
    TFileTableBackend& operator=(const TFileTableBackend&) = delete;

    QSqlDatabase Database() const override;
    QString DataTable() const override { return QStringLiteral("Data"); }
    QString RowKey() const override { return QStringLiteral("rowid"); }
    TOpenResult OpenForReading(TFieldDefs& AFieldDefs, QString& AError) override;
    bool MayWrite() const override;
    TOpenResult StartWriting(
        const TFieldDefs& AFieldDefs, bool AAgain, bool& AWritable, bool& ABusy, QString& AError) override;
    bool Create(const TFieldDefs& AFieldDefs) override;
    bool OpenStandIn(const TFieldDefs& AFieldDefs) override;
    void Close(bool AWrote) override;
    bool Begin(QString& AError) override;
    qint64 AutoIncValue() override;
    bool RaiseAutoIncValue(qint64 AValue, QString& AError) override;
    bool ChangedElsewhere() override;
    bool Replaced() const override;
    sqlite3_stmt* KeptStatement(const QByteArray& ASql) const override;
    int MaxBoundValues() const override;

    // How long a write waits for another connection's write to end, for
    // connections made from now on.
    static void SetBusyTimeoutMs(int AValue);
    static int BusyTimeoutMs();

private:
    bool Connect(const QString& ADatabaseName, bool AReadOnly, QString& AError);
    // Lets SQLite roll back a journal or replay a log that a writer which
    // died left, on a short connection that may write; SQLite's result code.
    int Recover();
    void Disconnect();
    bool ReadFieldDefs(TFieldDefs& AFieldDefs, QString& AError);
    // Leaves out of the field list what the data table has no column for.
    bool MatchColumns(TFieldDefs& AFieldDefs, QString& AError);
    bool Probe(const TFieldDefs& AFieldDefs, QString& AError);

    QString FFileName;
    QString FConnection;
    // The file the connection opened, and its version as last seen.
    quint64 FFileDevice = 0;
    quint64 FFileInode = 0;
    qint64 FSeenVersion = -1;
    sqlite3_stmt* FVersionStatement = nullptr;
    mutable std::vector<std::pair<QByteArray, sqlite3_stmt*>> FKeptStatements;
};
