// The PostgreSQL store's groundwork on a private server: the schema and the
// rules the database keeps, notifications between copies, connection strings.
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/pg/pg_connection.h"
#include "data/pg/pg_schema.h"
#include "data/workplace_man.h"
#include "support/pg_server.h"
#include "support/test_env.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QThread>

#include <gtest/gtest.h>

namespace {
// The first value of a one-value query; invalid when it fails.
QVariant Value(const QSqlDatabase& ADatabase, const QString& ASql)
{
    QSqlQuery query(ADatabase);
    if (!query.exec(ASql) || !query.next())
        return QVariant();
    return query.value(0);
}
} // namespace

TEST(PgStore, SchemaIsCreatedOnceAndKeepsTheRules)
{
    PLENVO_PG_SERVER(server);
    QString error;
    const QString connInfo = server->NewDatabase(&error);
    ASSERT_FALSE(connInfo.isEmpty()) << error.toStdString();
    TPgConnection pg;
    ASSERT_EQ(pg.Open(connInfo), QString());
    QSqlDatabase db = pg.Database();
    EXPECT_EQ(PgStoredSchemaVersion(db), 0);
    // Made as the first version wrote it, and upgraded further down.
    ASSERT_EQ(EnsurePgSchema(db, 1), QString());
    EXPECT_EQ(PgStoredSchemaVersion(db), 1);
    EXPECT_EQ(Value(db, QStringLiteral("SELECT count(*) FROM plenvo.version")).toInt(), 1);

    // Every field of the table files has its column.
    const std::pair<QString, TFieldDefs> tables[] = {{QStringLiteral("workers"), TPersonMan::FieldDefs()},
        {QStringLiteral("workplaces"), TWorkplaceMan::FieldDefs()}, {QStringLiteral("jobs"), TJobMan::FieldDefs()},
        {QStringLiteral("macros"), TMacroMan::FieldDefs()}};
    for (const auto& [table, defs] : tables)
        for (const TFieldDef& def : defs)
            EXPECT_EQ(Value(db, QStringLiteral("SELECT count(*) FROM information_schema.columns WHERE table_schema = "
                                               "'plenvo' AND table_name = '%1' AND column_name = '%2'")
                                    .arg(table, PgColumnName(def.Name)))
                          .toInt(),
                1)
                << table.toStdString() << "." << def.Name.toStdString();

    // Names are unique ignoring case, beyond ASCII too; a relation once a day.
    EXPECT_EQ(pg.Exec(QStringLiteral("INSERT INTO plenvo.workers (name) VALUES ('Ärger'), ('Bea')")), QString());
    const QString twin = pg.Exec(QStringLiteral("INSERT INTO plenvo.workers (name) VALUES ('äRGER')"));
    EXPECT_TRUE(twin.contains(QLatin1String("workers_name_key"))) << twin.toStdString();
    EXPECT_EQ(
        pg.Exec(QStringLiteral("INSERT INTO plenvo.workplaces (shortcut, name) VALUES ('W', 'Ward')")), QString());
    EXPECT_FALSE(
        pg.Exec(QStringLiteral("INSERT INTO plenvo.workplaces (shortcut, name) VALUES ('X', 'WARD')")).isEmpty());
    EXPECT_FALSE(
        pg.Exec(QStringLiteral("INSERT INTO plenvo.workplaces (shortcut, name) VALUES ('w', 'Other')")).isEmpty());
    const QString job = QStringLiteral("INSERT INTO plenvo.jobs (date, person_id, workplace_id) VALUES (?, ?, ?)");
    EXPECT_EQ(pg.Exec(job, {45000, 1, 1}), QString());
    EXPECT_EQ(pg.Exec(job, {45000, 2, 1}), QString());
    const QString again = pg.Exec(job, {45000, 1, 1});
    EXPECT_TRUE(again.contains(QLatin1String("jobs_relation_key"))) << again.toStdString();
    EXPECT_FALSE(pg.Exec(job, {45001, 0, 1}).isEmpty());
    const QString pair = QStringLiteral("INSERT INTO plenvo.macros (name, person_id, workplace_id) VALUES (?, ?, ?)");
    EXPECT_EQ(pg.Exec(pair, {QStringLiteral("Early"), 1, 1}), QString());
    EXPECT_FALSE(pg.Exec(pair, {QStringLiteral("EARLY"), 1, 1}).isEmpty());

    // The upgrade keeps every row. An ID written as it is moves the counter
    // past it, several in one statement too; a deleted one is never given again.
    ASSERT_EQ(EnsurePgSchema(db), QString());
    EXPECT_EQ(PgStoredSchemaVersion(db), PgSchemaVersion);
    EXPECT_EQ(Value(db, QStringLiteral("SELECT count(*) FROM plenvo.workers")).toInt(), 2);
    EXPECT_EQ(Value(db, QStringLiteral("SELECT count(*) FROM plenvo.jobs")).toInt(), 2);
    EXPECT_EQ(pg.Exec(QStringLiteral("INSERT INTO plenvo.jobs (id, date, person_id, workplace_id) VALUES "
                                     "(40, 45002, 1, 1), (30, 45003, 1, 1)")),
        QString());
    EXPECT_EQ(pg.Exec(job, {45004, 1, 1}), QString());
    EXPECT_EQ(Value(db, QStringLiteral("SELECT id FROM plenvo.jobs WHERE date = 45004")).toInt(), 41);
    EXPECT_EQ(pg.Exec(QStringLiteral("INSERT INTO plenvo.workers (id, name) VALUES (10, 'Cleo')")), QString());
    EXPECT_EQ(pg.Exec(QStringLiteral("INSERT INTO plenvo.workers (name) VALUES ('Dan')")), QString());
    EXPECT_EQ(Value(db, QStringLiteral("SELECT id FROM plenvo.workers WHERE name = 'Dan'")).toInt(), 11);
    EXPECT_EQ(pg.Exec(QStringLiteral("DELETE FROM plenvo.workers WHERE id = 11")), QString());
    EXPECT_EQ(pg.Exec(QStringLiteral("INSERT INTO plenvo.workers (name) VALUES ('Eve')")), QString());
    EXPECT_EQ(Value(db, QStringLiteral("SELECT id FROM plenvo.workers WHERE name = 'Eve'")).toInt(), 12);

    // A second open writes nothing: the version row is the one written first.
    const QString written = Value(db, QStringLiteral("SELECT xmin::text FROM plenvo.version")).toString();
    ASSERT_EQ(EnsurePgSchema(db), QString());
    EXPECT_EQ(Value(db, QStringLiteral("SELECT xmin::text FROM plenvo.version")).toString(), written);
    EXPECT_EQ(Value(db, QStringLiteral("SELECT count(*) FROM plenvo.workers")).toInt(), 4);

    // A database of a newer version is refused and left as it is.
    const QString newerInfo = server->NewDatabase(&error);
    ASSERT_FALSE(newerInfo.isEmpty()) << error.toStdString();
    TPgConnection newer;
    ASSERT_EQ(newer.Open(newerInfo), QString());
    ASSERT_EQ(newer.Exec(QStringLiteral("CREATE SCHEMA plenvo; CREATE TABLE plenvo.version (version integer); "
                                        "INSERT INTO plenvo.version VALUES (%1)")
                             .arg(PgSchemaVersion + 1)),
        QString());
    QSqlDatabase newerDb = newer.Database();
    const QString refused = EnsurePgSchema(newerDb);
    EXPECT_TRUE(refused.contains(QLatin1String("newer version of Plenvo"))) << refused.toStdString();
    EXPECT_EQ(PgStoredSchemaVersion(newerDb), PgSchemaVersion + 1);
    EXPECT_FALSE(Value(newerDb, QStringLiteral("SELECT to_regclass('plenvo.workers') IS NOT NULL")).toBool());
}

TEST(PgStore, NotifyReachesTheOtherConnection)
{
    PLENVO_PG_SERVER(server);
    QString error;
    const QString connInfo = server->NewDatabase(&error);
    ASSERT_FALSE(connInfo.isEmpty()) << error.toStdString();
    TPgConnection listener;
    TPgConnection writer;
    ASSERT_EQ(listener.Open(connInfo), QString());
    ASSERT_EQ(writer.Open(connInfo), QString());
    QStringList heard;
    ASSERT_EQ(listener.Listen(QStringLiteral("plenvo_changes"),
                  [&](const QString& AChannel, const QString& APayload, bool AFromSelf) {
                      heard << QStringLiteral("%1 %2 %3")
                                   .arg(AChannel, APayload, AFromSelf ? QLatin1String("self") : QLatin1String("other"));
                  }),
        QString());

    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(writer.Notify(QStringLiteral("plenvo_changes"), QStringLiteral("workers:3,17")), QString());
    while (heard.isEmpty() && timer.elapsed() < 1000) {
        QThread::msleep(5);
        listener.TakeNotifications();
    }
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(heard, QStringList{QStringLiteral("plenvo_changes workers:3,17 other")});
    // A channel nobody listens on reaches no one.
    ASSERT_EQ(writer.Notify(QStringLiteral("elsewhere"), QStringLiteral("jobs:1")), QString());
    ASSERT_EQ(listener.Notify(QStringLiteral("plenvo_changes"), QStringLiteral("jobs:5")), QString());
    timer.restart();
    while (heard.size() < 2 && timer.elapsed() < 1000) {
        QThread::msleep(5);
        listener.TakeNotifications();
    }
    EXPECT_EQ(heard.value(1), QStringLiteral("plenvo_changes jobs:5 self"));
    EXPECT_EQ(heard.size(), 2);
}

TEST(PgStore, ConnectionStringsAndTheServersWords)
{
    PLENVO_PG_SERVER(server);
    QString error;
    const QString connInfo = server->NewDatabase(&error);
    ASSERT_FALSE(connInfo.isEmpty()) << error.toStdString();
    TPgConnection pg;
    const QString wrong = pg.Open(server->ConnInfo(QStringLiteral("nowhere")));
    EXPECT_TRUE(wrong.contains(QLatin1String("database \"nowhere\" does not exist"))) << wrong.toStdString();
    EXPECT_FALSE(pg.IsOpen());
    EXPECT_TRUE(pg.Open(connInfo + QStringLiteral(" password = 'secret'")).contains(QLatin1String("password")));
    EXPECT_FALSE(pg.Open(connInfo + QStringLiteral(";")).isEmpty());

    // A service of the service file, quoted values and other libpq keys as written.
    const QString services = TestEnv::NewFolder(QStringLiteral("pg-services")) + QStringLiteral("/pg_service.conf");
    QFile file(services);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[plenvo]\n%1\n").arg(connInfo).replace(QLatin1Char(' '), QLatin1Char('\n')).toUtf8());
    file.close();
    const QByteArray oldServices = qgetenv("PGSERVICEFILE");
    qputenv("PGSERVICEFILE", QFile::encodeName(services));
    EXPECT_EQ(pg.Open(QStringLiteral("service=plenvo")), QString());
    EXPECT_EQ(
        pg.Open(QStringLiteral("service = 'plenvo' connect_timeout=5 application_name='Plenvo test'")), QString());
    EXPECT_EQ(Value(pg.Database(), QStringLiteral("SELECT current_setting('application_name')")).toString(),
        QStringLiteral("Plenvo test"));
    if (oldServices.isNull())
        qunsetenv("PGSERVICEFILE");
    else
        qputenv("PGSERVICEFILE", oldServices);

    // A server gone: libpq's words; back again: the connection opens.
    ASSERT_TRUE(server->Stop(&error)) << error.toStdString();
    const QString gone = pg.Open(connInfo);
    EXPECT_TRUE(gone.contains(server->SocketFolder())) << gone.toStdString();
    ASSERT_TRUE(server->Start(&error)) << error.toStdString();
    EXPECT_EQ(pg.Open(connInfo), QString());
}
