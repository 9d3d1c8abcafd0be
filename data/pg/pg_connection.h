// A connection to the PostgreSQL store through Qt's QPSQL driver, opened from
// a libpq connection string or service name as the user wrote it.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariantList>

#include <functional>

struct pg_conn;

// Why a connection string cannot be used as it is; empty when it can. A
// password is never taken (libpq finds it in ~/.pgpass or the service file),
// and a semicolon would reach libpq as a blank.
QString PgConnInfoRefusal(const QString& AConnInfo);

class TPgConnection {
public:
    TPgConnection();
    ~TPgConnection();
    TPgConnection(const TPgConnection&) = delete;
    TPgConnection& operator=(const TPgConnection&) = delete;

    // Opens the connection; empty on success, else why not in the server's
    // (or libpq's) own words.
    QString Open(const QString& AConnInfo);
    void Close();
    bool IsOpen() const;
    QSqlDatabase Database() const;
    // Open and not broken (the server stopped, the network failed) as libpq
    // last saw it: known without asking the server.
    bool Healthy() const;

    // Runs one statement with the values bound in order; empty on success,
    // else the server's words.
    QString Exec(const QString& ASql, const QVariantList& AValues = {});

    // Called with what a NOTIFY on a listened channel carried; AFromSelf
    // when this connection sent it.
    using TNotifyHandler = std::function<void(const QString& AChannel, const QString& APayload, bool AFromSelf)>;
    // Listens on a channel (a name without dots, kept as written); one
    // handler hears every channel, the last one given. Empty on success,
    // else why not.
    QString Listen(const QString& AChannel, TNotifyHandler AHandler);
    // Hands the notifications that arrived to the handler, now: they are
    // read when asked for, never behind the caller's back.
    void TakeNotifications();
    // Sends a notification on a channel; it reaches the listeners when the
    // transaction it is part of commits.
    QString Notify(const QString& AChannel, const QString& APayload);

private:
    QString FConnectionName;
    TNotifyHandler FHandler;
    // libpq's connection while open.
    pg_conn* FHandle = nullptr;
};

// Whether the server of a connection string answers, asked without waiting:
// each Poll goes on where the last one left off. A host name is still looked
// up at the start of an attempt.
class TPgProbe {
public:
    enum TState { psWaiting, psAnswers, psSilent };
    TPgProbe() = default;
    ~TPgProbe();
    TPgProbe(const TPgProbe&) = delete;
    TPgProbe& operator=(const TPgProbe&) = delete;

    TState Poll(const QString& AConnInfo);

private:
    void Finish();

    pg_conn* FConnection = nullptr;
};

// The server's words of a failed statement or open, else Qt's.
QString PgErrorText(const QSqlError& AError);
