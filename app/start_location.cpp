#include "app/start_location.h"

#include "core/dialogs.h"
#include "data/pg/pg_connection.h"
#include "data/pg/pg_schema.h"
#include "setup/setup_editor.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

// The setup dialog's page with the data location.
constexpr int SetupDataPage = 3;

// A server that does not answer is given up after a while instead of
// leaving the program without a window.
QString WithConnectTimeout(const QString& AConnInfo)
{
    if (AConnInfo.contains(QLatin1String("connect_timeout")))
        return AConnInfo;
    return AConnInfo.trimmed() + QStringLiteral(" connect_timeout=15");
}

} // namespace

void AddLocationOptions(QCommandLineParser& AParser)
{
    AParser.addOptions({
        {QStringLiteral("server"),
            QStringLiteral("Starts the program on the plan in this PostgreSQL database, for this run only "
                           "(with --export: exports that plan): service=name or host=... dbname=... user=... "
                           "(the password comes from ~/.pgpass)."),
            QStringLiteral("conninfo")},
        {QStringLiteral("folder"),
            QStringLiteral("Starts the program on the plan in this data folder, for this run only (with "
                           "--export, give --data-dir)."),
            QStringLiteral("path")},
    });
}

std::optional<TDataLocation> ParseLocationOptions(const QStringList& AArguments, QString& AError)
{
    AError.clear();
    QCommandLineParser parser;
    AddLocationOptions(parser);
    if (!parser.parse(AArguments)) {
        AError = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        AError = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    const bool server = parser.isSet(QStringLiteral("server"));
    const bool folder = parser.isSet(QStringLiteral("folder"));
    if (server && folder) {
        AError = QStringLiteral("--server and --folder cannot both be given");
        return std::nullopt;
    }
    if (server) {
        const QString connInfo = parser.value(QStringLiteral("server"));
        if (const QString refusal = PgConnInfoRefusal(connInfo); !refusal.isEmpty()) {
            AError = QStringLiteral("--server: %1").arg(refusal);
            return std::nullopt;
        }
        return TDataLocation::Server(connInfo);
    }
    if (folder) {
        const QString path = parser.value(QStringLiteral("folder"));
        if (path.trimmed().isEmpty()) {
            AError = QStringLiteral("--folder needs a folder");
            return std::nullopt;
        }
        return TDataLocation::Folder(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    }
    return std::nullopt;
}

QString ProbeServer(const QString& AConnInfo)
{
    TPgConnection connection;
    if (const QString failure = connection.Open(WithConnectTimeout(AConnInfo)); !failure.isEmpty())
        return failure;
    QSqlDatabase database = connection.Database();
    return EnsurePgSchema(database);
}

bool EnsureLocationAnswers(TSetup& ASetup, const std::function<bool()>& AStopped)
{
    auto stopped = [&AStopped] { return AStopped && AStopped(); };
    for (;;) {
        if (stopped())
            return false;
        const TDataLocation location = ASetup.Data()->Location();
        if (!location.IsServer())
            return true;
        const QString failure = ProbeServer(location.Where);
        if (failure.isEmpty())
            return true;
        const int choice = Dialogs().Choose(QStringLiteral("The plan cannot be opened on the PostgreSQL server "
                                                           "\"%1\":\r\n\r\n%2")
                                                .arg(location.Where, failure),
            mtError, {QStringLiteral("Retry"), QStringLiteral("Choose another location…"), QStringLiteral("Quit")});
        if (stopped())
            return false;
        if (choice == 0)
            continue;
        if (choice == 1) {
            ASetup.Edit(SetupDataPage);
            continue;
        }
        return false;
    }
}

void InstallServerChecks()
{
    TSetupData::SetConnInfoCheck(PgConnInfoRefusal);
    TSetupEditor::SetConnectionTester([](const QString& AConnInfo) {
        TPgConnection connection;
        return connection.Open(WithConnectTimeout(AConnInfo));
    });
}
