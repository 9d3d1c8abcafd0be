#include "support/pg_server.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVersionNumber>

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <vector>

extern char** environ;

namespace {
const QString SuperUser = QStringLiteral("plenvo_test");

// Where initdb, pg_ctl and postgres are: PLENVO_PG_BINDIR, else Debian's
// newest /usr/lib/postgresql/<version>/bin, else the PATH.
QString FindBinDir()
{
    auto complete = [](const QString& ADir) {
        for (const char* tool : {"initdb", "pg_ctl", "postgres"})
            if (!QFileInfo(ADir + QLatin1Char('/') + QLatin1String(tool)).isExecutable())
                return false;
        return true;
    };
    const QString given = qEnvironmentVariable("PLENVO_PG_BINDIR");
    if (!given.isEmpty())
        return complete(given) ? given : QString();
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString& A, const QString& B) {
        return QVersionNumber::fromString(A) > QVersionNumber::fromString(B);
    });
    for (const QString& version : versions)
        if (complete(root.filePath(version + QStringLiteral("/bin"))))
            return root.filePath(version + QStringLiteral("/bin"));
    const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
    if (!initdb.isEmpty() && complete(QFileInfo(initdb).absolutePath()))
        return QFileInfo(initdb).absolutePath();
    return QString();
}

// PostgreSQL refuses to run as root: the server runs as nobody then.
bool RunsAsRoot()
{
    return geteuid() == 0;
}

std::unique_ptr<TPgServer>& SharedServer()
{
    static std::unique_ptr<TPgServer> server;
    return server;
}

// Starts a program with its output to ALog (or nowhere) and the given
// standard input; its process ID, or -1.
pid_t Spawn(const QStringList& AArgs, const QString& ALog, const QString& AFolder, int AInput = -1)
{
    std::vector<QByteArray> bytes;
    for (const QString& arg : AArgs)
        bytes.push_back(QFile::encodeName(arg));
    std::vector<char*> argv;
    for (QByteArray& arg : bytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const QByteArray log = ALog.isEmpty() ? QByteArrayLiteral("/dev/null") : QFile::encodeName(ALog);
    const QByteArray folder = QFile::encodeName(AFolder);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (AInput >= 0)
        posix_spawn_file_actions_adddup2(&actions, AInput, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: a test run that kills the test's process group leaves
    // the watcher to clean up.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}
} // namespace

QString TPgServer::Missing()
{
    if (FindBinDir().isEmpty())
        return QStringLiteral("PostgreSQL's server programs are not installed (scripts/install-deps.sh installs them)");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("Qt's PostgreSQL driver is not installed (libqt6sql6-psql)");
    if (RunsAsRoot()) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            return QStringLiteral("setpriv is needed to run PostgreSQL as another user than root");
        if (!getpwnam("nobody"))
            return QStringLiteral("there is no user nobody to run PostgreSQL as");
    }
    return QString();
}

TPgServer* TPgServer::Shared(QString* AError)
{
    static QString failure;
    std::unique_ptr<TPgServer>& server = SharedServer();
    if (!server && failure.isEmpty()) {
        std::unique_ptr<TPgServer> made(new TPgServer);
        if (made->Init(&failure))
            server = std::move(made);
        else if (failure.isEmpty())
            failure = QStringLiteral("the PostgreSQL server did not start");
    }
    if (!server && AError)
        *AError = failure;
    return server.get();
}

bool TPgServer::Init(QString* AError)
{
    const QString missing = Missing();
    if (!missing.isEmpty()) {
        *AError = missing;
        return false;
    }
    FBinDir = FindBinDir();
    QByteArray folder = QByteArrayLiteral("/tmp/plenvo-pg-XXXXXX");
    if (!mkdtemp(folder.data())) {
        *AError = QStringLiteral("no temporary folder for the PostgreSQL server");
        return false;
    }
    FFolder = QFile::decodeName(folder);
    chmod(folder.constData(), 0755);
    if (RunsAsRoot()) {
        const passwd* user = getpwnam("nobody");
        FSwitchUser = true;
        FUid = user->pw_uid;
        FGid = user->pw_gid;
        if (chown(folder.constData(), FUid, FGid) != 0) {
            *AError = QStringLiteral("cannot hand %1 to the user nobody").arg(FFolder);
            return false;
        }
    }
    // Whatever ends this process, the watcher (in a session of its own) ends
    // the server and removes the folder once the pipe's writing end, which
    // only this process holds, closes.
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) == 0) {
        QStringList stop{FBinDir + QStringLiteral("/pg_ctl")};
        if (FSwitchUser)
            stop = QStringList{QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                       QStringLiteral("--reuid=%1").arg(FUid), QStringLiteral("--regid=%1").arg(FGid),
                       QStringLiteral("--clear-groups")}
                   + stop;
        const QStringList watcher = QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                        QStringLiteral("dir=$1; shift; cat >/dev/null; "
                                                       "\"$@\" stop -D \"$dir/data\" -m immediate -w; rm -rf \"$dir\""),
                                        QStringLiteral("plenvo-pg-watcher"), FFolder}
                                    + stop;
        if (Spawn(watcher, QString(), QStringLiteral("/"), pipe[0]) < 0)
            close(pipe[1]);
        close(pipe[0]);
        // pipe[1] stays open until the process ends.
    }
    FPort = 20000 + getpid() % 40000;
    if (RunTool(QStringLiteral("initdb"),
            {QStringLiteral("-D"), FFolder + QStringLiteral("/data"), QStringLiteral("-U"), SuperUser,
                QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")})
        != 0) {
        *AError = QStringLiteral("initdb failed: ") + LogTail();
        return false;
    }
    // Only the private socket; the port only names it. Writes are flushed as
    // on a real server.
    QFile config(FFolder + QStringLiteral("/data/postgresql.conf"));
    if (!config.open(QIODevice::Append)
        || config.write(QStringLiteral("\nlisten_addresses = ''\nunix_socket_directories = '%1'\nport = %2\n"
                                       "fsync = on\nmax_connections = 30\n")
                            .arg(FFolder)
                            .arg(FPort)
                            .toUtf8())
               < 0) {
        *AError = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    config.close();
    return Start(AError);
}

TPgServer::~TPgServer()
{
    Stop();
    if (!FFolder.isEmpty())
        QDir(FFolder).removeRecursively();
}

int TPgServer::RunTool(const QString& ATool, const QStringList& AArgs) const
{
    QStringList args{FBinDir + QLatin1Char('/') + ATool};
    if (FSwitchUser)
        args = QStringList{QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                   QStringLiteral("--reuid=%1").arg(FUid), QStringLiteral("--regid=%1").arg(FGid),
                   QStringLiteral("--clear-groups")}
               + args;
    const pid_t pid = Spawn(args + AArgs, FFolder + QStringLiteral("/tools.log"), FFolder);
    if (pid < 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString TPgServer::LogTail() const
{
    QString text;
    for (const QString& name : {QStringLiteral("/tools.log"), QStringLiteral("/server.log")}) {
        QFile log(FFolder + name);
        if (log.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(log.readAll().right(1500));
    }
    return text;
}

bool TPgServer::Start(QString* AError)
{
    if (FRunning)
        return true;
    if (RunTool(
            QStringLiteral("pg_ctl"), {QStringLiteral("start"), QStringLiteral("-D"), FFolder + QStringLiteral("/data"),
                                          QStringLiteral("-l"), FFolder + QStringLiteral("/server.log"),
                                          QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60")})
        != 0) {
        if (AError)
            *AError = QStringLiteral("the PostgreSQL server did not start: ") + LogTail();
        return false;
    }
    FRunning = true;
    return true;
}

bool TPgServer::Stop(QString* AError)
{
    if (!FRunning)
        return true;
    if (RunTool(
            QStringLiteral("pg_ctl"), {QStringLiteral("stop"), QStringLiteral("-D"), FFolder + QStringLiteral("/data"),
                                          QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w")})
        != 0) {
        if (AError)
            *AError = QStringLiteral("the PostgreSQL server did not stop: ") + LogTail();
        return false;
    }
    FRunning = false;
    return true;
}

QString TPgServer::ConnInfo(const QString& ADatabase) const
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4").arg(FFolder).arg(FPort).arg(ADatabase, SuperUser);
}

QString TPgServer::NewDatabase(QString* AError)
{
    const QString name = QStringLiteral("plenvo_test_%1").arg(++FDatabaseCount);
    const QString connection = QStringLiteral("plenvo-test-admin");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(FFolder);
        db.setPort(FPort);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(SuperUser);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("CREATE DATABASE %1").arg(name)))
                error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) {
        if (AError)
            *AError = error;
        return QString();
    }
    return ConnInfo(name);
}
