// A table of the plan kept on a PostgreSQL server (plenvo.workers and the
// others): its own connection, the schema made sure of, and the changes other
// copies commit heard as notifications.
#pragma once

#include "data/pg/pg_connection.h"
#include "data/table_backend.h"

#include <QElapsedTimer>

class TServerTableBackend : public TTableBackend {
public:
    // AFileName names the table as the folder's file would ("Jobs.cds").
    TServerTableBackend(QString AConnInfo, const QString& AFileName);
    ~TServerTableBackend() override;
    TServerTableBackend(const TServerTableBackend&) = delete;
    TServerTableBackend& operator=(const TServerTableBackend&) = delete;

    QSqlDatabase Database() const override;
    QString DataTable() const override { return QStringLiteral("plenvo.") + FTable; }
    QString RowKey() const override { return QStringLiteral("id"); }
    QString Column(const QString& AFieldName) const override;
    TOpenResult OpenForReading(TFieldDefs& AFieldDefs, QString& AError) override;
    bool MayWrite() const override { return true; }
    TOpenResult StartWriting(
        const TFieldDefs& AFieldDefs, bool AAgain, bool& AWritable, bool& ABusy, QString& AError) override;
    bool Create(const TFieldDefs& AFieldDefs) override;
    // Never: an empty plan shown for a server out of reach would pass for
    // the real one.
    bool OpenStandIn(const TFieldDefs&) override { return false; }
    void Close(bool AWrote) override;
    // A lost connection is made anew, after which it fails once with
    // Reconnected() true, for the table to drop its statements first.
    bool Begin(QString& AError) override;
    qint64 AutoIncValue() override;
    bool RaiseAutoIncValue(qint64 AValue, QString& AError) override;
    bool Revive(const std::function<void()>& ABefore) override;
    bool ChangedElsewhere() override;
    qint64 HeardChanges() override;
    bool Replaced() const override { return false; }
    bool Commit(QString& AError) override;
    QString InsertReturning() const override { return QStringLiteral(" RETURNING id"); }
    qint64 InsertedKey(QSqlQuery& AQuery) const override;
    bool Reconnected() override;
    // A unique key another copy's commit took, a serialization failure or a
    // deadlock.
    bool LostRace(const QSqlError& AError) const override;
    bool KeepsUnusableRows() const override { return false; }
    bool OnServer() const override { return true; }
    // The protocol's limit of a statement's parameters.
    int MaxBoundValues() const override { return 65535; }

private:
    // Connects, makes sure of the schema and listens; empty on success, else
    // why not in the server's words.
    QString Connect();

    QString FConnInfo;
    QString FTable;
    TPgConnection FConnection;
    QString FSequence;
    bool FChanged = false;
    qint64 FHeard = 0;
    bool FReconnected = false;
    // Opened, and not closed by the table: a lost connection is to be made anew.
    bool FWanted = false;
    TPgProbe FProbe;
    QElapsedTimer FSilentSince;
};
