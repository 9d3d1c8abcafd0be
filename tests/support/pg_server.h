// A private PostgreSQL server for the tests: made with initdb in a temporary
// folder and reached only through a Unix socket there, never over the network.
#pragma once

#include <QString>

class TPgServer {
public:
    ~TPgServer();
    TPgServer(const TPgServer&) = delete;
    TPgServer& operator=(const TPgServer&) = delete;

    // Why there can be no server here (PostgreSQL or Qt's driver not
    // installed); empty when there can.
    static QString Missing();
    // The process's server, started on first use and stopped and removed when
    // the process ends (a watcher does it should the process die first);
    // none when it could not start, with the reason in AError.
    static TPgServer* Shared(QString* AError = nullptr);

    // A new empty database; its connection string, empty on failure.
    QString NewDatabase(QString* AError = nullptr);
    // The connection string of a database of this server.
    QString ConnInfo(const QString& ADatabase) const;
    const QString& SocketFolder() const { return FFolder; }
    int Port() const { return FPort; }

    // Stop and start it again, for a server that goes away under a test;
    // false with the reason in AError.
    bool Stop(QString* AError = nullptr);
    bool Start(QString* AError = nullptr);
    bool Running() const { return FRunning; }

private:
    TPgServer() = default;
    bool Init(QString* AError);
    // Runs a PostgreSQL program as the server's user, its output to the
    // folder's log; the exit code, or -1 when it could not run.
    int RunTool(const QString& ATool, const QStringList& AArgs) const;
    QString LogTail() const;

    QString FBinDir;
    QString FFolder;
    int FPort = 0;
    bool FRunning = false;
    int FDatabaseCount = 0;
    // The user the server runs as (the test's own unless that is root).
    unsigned FUid = 0;
    unsigned FGid = 0;
    bool FSwitchUser = false;
};

// Gives a test (gtest included) the process's server as AServer; skips the test when
// PostgreSQL is not installed, fails it when the server cannot start.
#define PLENVO_PG_SERVER(AServer)                                                                                      \
    if (const QString missing = TPgServer::Missing(); !missing.isEmpty())                                              \
        GTEST_SKIP() << missing.toStdString();                                                                         \
    QString AServer##Error;                                                                                            \
    TPgServer* AServer = TPgServer::Shared(&AServer##Error);                                                           \
    ASSERT_NE(AServer, nullptr) << AServer##Error.toStdString()

// Points AServer (a TPgServer*) at the process's server and AConnInfo (a
// QString) at a new empty database of it; skips or fails the test as
// PLENVO_PG_SERVER does.
#define PLENVO_PG_NEW_DATABASE(AServer, AConnInfo)                                                                     \
    if (const QString missing = TPgServer::Missing(); !missing.isEmpty())                                              \
        GTEST_SKIP() << missing.toStdString();                                                                         \
    {                                                                                                                  \
        QString newDatabaseError;                                                                                      \
        AServer = TPgServer::Shared(&newDatabaseError);                                                                \
        ASSERT_NE(AServer, nullptr) << newDatabaseError.toStdString();                                                 \
        AConnInfo = AServer->NewDatabase(&newDatabaseError);                                                           \
        ASSERT_FALSE(AConnInfo.isEmpty()) << newDatabaseError.toStdString();                                           \
    }
