#include "data/pg/pg_connection.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <libpq-fe.h>

namespace {
QAtomicInt GConnectionCount;

// The keys of a libpq key=value string; values quoted or plain, as libpq reads
// them. A string that does not parse is left for libpq to judge.
QStringList ConnInfoKeys(const QString& AConnInfo)
{
    QStringList keys;
    qsizetype i = 0;
    const qsizetype n = AConnInfo.size();
    auto skipBlanks = [&] {
        while (i < n && AConnInfo[i].isSpace())
            ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= n)
            break;
        const qsizetype start = i;
        while (i < n && AConnInfo[i] != QLatin1Char('=') && !AConnInfo[i].isSpace())
            ++i;
        keys << AConnInfo.mid(start, i - start).toLower();
        skipBlanks();
        if (i >= n || AConnInfo[i] != QLatin1Char('='))
            break;
        ++i;
        skipBlanks();
        if (i < n && AConnInfo[i] == QLatin1Char('\'')) {
            for (++i; i < n && AConnInfo[i] != QLatin1Char('\''); ++i)
                if (AConnInfo[i] == QLatin1Char('\\'))
                    ++i;
            ++i;
        } else {
            while (i < n && !AConnInfo[i].isSpace())
                ++i;
        }
    }
    return keys;
}
} // namespace

QString PgErrorText(const QSqlError& AError)
{
    const QString server = AError.databaseText().trimmed();
    return server.isEmpty() ? AError.driverText().trimmed() : server;
}

QString PgConnInfoRefusal(const QString& AConnInfo)
{
    const QString text = AConnInfo.trimmed();
    if (text.isEmpty())
        return QStringLiteral("No PostgreSQL connection is given.");
    // Qt hands the options to libpq with semicolons made blanks.
    if (text.contains(QLatin1Char(';')))
        return QStringLiteral("The connection string cannot hold a semicolon.");
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://")))
        return QStringLiteral("Write the connection as key=value pairs (host=... dbname=...) or service=name.");
    if (ConnInfoKeys(text).contains(QLatin1String("password")))
        return QStringLiteral("The connection string cannot hold a password: keep it in ~/.pgpass or the "
                              "service file.");
    return QString();
}

TPgConnection::TPgConnection()
    : FConnectionName(QStringLiteral("plenvo-pg-%1").arg(GConnectionCount.fetchAndAddRelaxed(1)))
{
}

TPgConnection::~TPgConnection()
{
    Close();
    if (QSqlDatabase::contains(FConnectionName))
        QSqlDatabase::removeDatabase(FConnectionName);
}

QString TPgConnection::Open(const QString& AConnInfo)
{
    Close();
    const QString refusal = PgConnInfoRefusal(AConnInfo);
    if (!refusal.isEmpty())
        return refusal;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("Qt's PostgreSQL driver (QPSQL) is not installed.");
    QSqlDatabase db = QSqlDatabase::contains(FConnectionName)
                          ? QSqlDatabase::database(FConnectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), FConnectionName);
    // With host, database, user and port left empty the driver passes the
    // options on to libpq as the whole connection string, so a service name
    // and every libpq key work as written.
    db.setConnectOptions(AConnInfo.trimmed());
    if (!db.open())
        return PgErrorText(db.lastError());
    // Qt's driver hands out libpq's own connection (named by its struct); kept
    // so a look for notices costs no lookup of the connection by name.
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && (qstrcmp(handle.typeName(), "pg_conn*") == 0 || qstrcmp(handle.typeName(), "PGconn*") == 0))
        FHandle = *static_cast<PGconn* const*>(handle.constData());
    return QString();
}

void TPgConnection::Close()
{
    FHandler = nullptr;
    FHandle = nullptr;
    if (QSqlDatabase::contains(FConnectionName))
        QSqlDatabase::database(FConnectionName, false).close();
}

bool TPgConnection::IsOpen() const
{
    return QSqlDatabase::contains(FConnectionName) && QSqlDatabase::database(FConnectionName, false).isOpen();
}

QSqlDatabase TPgConnection::Database() const
{
    return QSqlDatabase::database(FConnectionName, false);
}

bool TPgConnection::Healthy() const
{
    // Without libpq's handle the driver's word is all there is.
    return FHandle ? PQstatus(FHandle) != CONNECTION_BAD : IsOpen();
}

TPgProbe::~TPgProbe()
{
    Finish();
}

void TPgProbe::Finish()
{
    if (FConnection)
        PQfinish(FConnection);
    FConnection = nullptr;
}

TPgProbe::TState TPgProbe::Poll(const QString& AConnInfo)
{
    if (!FConnection) {
        FConnection = PQconnectStart(AConnInfo.trimmed().toUtf8().constData());
        if (!FConnection || PQstatus(FConnection) == CONNECTION_BAD) {
            Finish();
            return psSilent;
        }
    }
    switch (PQconnectPoll(FConnection)) {
    case PGRES_POLLING_OK:
        Finish();
        return psAnswers;
    case PGRES_POLLING_FAILED:
        Finish();
        return psSilent;
    default:
        return psWaiting;
    }
}

QString TPgConnection::Exec(const QString& ASql, const QVariantList& AValues)
{
    if (!IsOpen())
        return QStringLiteral("The PostgreSQL connection is not open.");
    QSqlQuery query(Database());
    bool ok = false;
    if (AValues.isEmpty()) {
        ok = query.exec(ASql);
    } else {
        ok = query.prepare(ASql);
        for (const QVariant& value : AValues)
            query.addBindValue(value);
        ok = ok && query.exec();
    }
    return ok ? QString() : PgErrorText(query.lastError());
}

QString TPgConnection::Listen(const QString& AChannel, TNotifyHandler AHandler)
{
    if (!IsOpen())
        return QStringLiteral("The PostgreSQL connection is not open.");
    if (AChannel.isEmpty() || AChannel.contains(QLatin1Char('.')) || AChannel.contains(QLatin1Char('"')))
        return QStringLiteral("\"%1\" cannot be a channel name.").arg(AChannel);
    const QString error = Exec(QStringLiteral("LISTEN \"%1\"").arg(AChannel));
    if (error.isEmpty())
        FHandler = std::move(AHandler);
    return error;
}

void TPgConnection::TakeNotifications()
{
    PGconn* connection = FHandle;
    // Read what waits on the socket; a server gone leaves the connection
    // broken, which Healthy() then tells.
    if (!connection || !PQconsumeInput(connection))
        return;
    const int self = PQbackendPID(connection);
    while (PGnotify* notice = PQnotifies(connection)) {
        if (FHandler)
            FHandler(QString::fromUtf8(notice->relname), QString::fromUtf8(notice->extra), notice->be_pid == self);
        PQfreemem(notice);
    }
}

QString TPgConnection::Notify(const QString& AChannel, const QString& APayload)
{
    return Exec(QStringLiteral("SELECT pg_notify(?, ?)"), {AChannel, APayload});
}
