// The data store as the program builds it, on a fresh data folder of a test.
#pragma once

#include "data/data_man.h"
#include "data/data_session.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/table.h"
#include "data/table_file.h"
#include "data/workplace_man.h"
#include "setup/setup.h"
#include "support/pg_server.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

// The data store of a test: settings and managers on its data folder.
using TDataStore = TDataSession;

enum TStoreKind { skFolder, skServer };

class DataTest : public testing::Test {
protected:
    void SetUp() override
    {
        Folder = IncludeBackslash(TestEnv::NewFolder(QStringLiteral("data")));
        if (Kind() == skServer)
            UseNewServerDatabase();
    }
    // Where the store is kept: the test's data folder, unless the suite runs
    // on either kind (OnEitherStore) and this run is the server's.
    virtual TStoreKind Kind() const { return skFolder; }
    void Open() { Store = std::make_unique<TDataStore>(Folder, ConnInfo); }
    void Reopen()
    {
        Store.reset();
        Open();
    }
    void TearDown() override
    {
        Store.reset();
        // A server stopped by a test that failed half-way serves the next.
        if (Server && !Server->Running())
            Server->Start();
    }
    // What another copy of the program (a test helper) is run with to work
    // on the same store.
    QProcessEnvironment CopyEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!ConnInfo.isEmpty())
            environment.insert(QStringLiteral("PLENVO_COPY_SERVER"), ConnInfo);
        return environment;
    }

    TScriptedDialogs& Dialogs() { return TestEnv::Dialogs(); }
    // The editors of the next Add/Edit: run AAction on the object, close with AOk.
    void EditorDoes(const QString& AClassName, std::function<void(TObject*)> AAction, bool AOk)
    {
        Dialogs().ProvideEditor(AClassName, [AAction, AOk] { return std::make_unique<TScriptedEditor>(AAction, AOk); });
    }
    TPerson* AddPerson(const QString& AName)
    {
        EditorDoes(
            QStringLiteral("TPersonEditor"), [AName](TObject* o) { static_cast<TPerson*>(o)->SetName(AName); }, true);
        return Store->Persons->AddPerson();
    }
    TWorkplace* AddWorkplace(const QString& AName, const QString& AShortcut = QString())
    {
        EditorDoes(
            QStringLiteral("TWorkplaceEditor"),
            [AName, AShortcut](TObject* o) {
                auto* w = static_cast<TWorkplace*>(o);
                w->SetName(AName);
                if (!AShortcut.isEmpty())
                    w->SetShortcut(AShortcut);
            },
            true);
        return Store->Workplaces->AddWorkplace();
    }
    // Narrows the jobs manager to a period, a worker and a workplace (0: all).
    void FilterJobs(TDate AFrom, TDate ATo, int APersonID = 0, int AWorkplaceID = 0)
    {
        Store->Jobs->SetDateFrom(AFrom);
        Store->Jobs->SetDateTo(ATo);
        Store->Jobs->SetPersonID(APersonID);
        Store->Jobs->SetWorkplaceID(AWorkplaceID);
    }
    // The (worker ID, workplace ID) pairs the jobs table holds for a day.
    std::set<std::pair<int, int>> JobPairs(TDate ADay)
    {
        FilterJobs(ADay, ADay);
        std::set<std::pair<int, int>> pairs;
        for (int i = 0; i < Store->Jobs->JobCount(); ++i)
            pairs.emplace(Store->Jobs->Jobs(i)->PersonID(), Store->Jobs->Jobs(i)->WorkplaceID());
        return pairs;
    }
    // The messages so far, once the jobs file's background count has told
    // what it found.
    QStringList MessagesAfterChecks()
    {
        if (Store)
            Store->Jobs->FinishChecks();
        QCoreApplication::processEvents();
        return Dialogs().MessageTexts();
    }
    // A relation written to the jobs file by another connection, as another
    // program would.
    bool PlannedElsewhere(TDate ADay, qint64 APersonID, qint64 AWorkplaceID)
    {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-program"));
            db.setDatabaseName(Folder + QStringLiteral("Jobs.cds"));
            if (db.open()) {
                QSqlQuery query(db);
                ok = query.exec(QStringLiteral("INSERT INTO Data (Date, PersonID, PersonName, WorkplaceID) VALUES "
                                               "(%1, %2, 'Elsewhere', %3)")
                                    .arg(ADay)
                                    .arg(APersonID)
                                    .arg(AWorkplaceID));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other-program"));
        return ok;
    }
    QStringList FolderEntries(const QString& AFolder) const
    {
        return QDir(AFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QString Folder;
    // The server's database when the store is kept there, else empty.
    TPgServer* Server = nullptr;
    QString ConnInfo;
    std::unique_ptr<TDataStore> Store;

private:
    void UseNewServerDatabase() { PLENVO_PG_NEW_DATABASE(Server, ConnInfo); }
};

// A data fixture whose tests run on either kind of store: the test's data
// folder, and a new database on the test process's PostgreSQL server.
template <class TFixture>
class OnEitherStore : public TFixture, public testing::WithParamInterface<TStoreKind> {
protected:
    TStoreKind Kind() const override { return this->GetParam(); }
};
using StoreKindTest = OnEitherStore<DataTest>;

inline std::string StoreKindName(const testing::TestParamInfo<TStoreKind>& AInfo)
{
    return AInfo.param == skFolder ? "Folder" : "Server";
}

// A data store with two workers and two workplaces, the cast many tests
// play with: Ann, Bob, Kitchen and a second workplace of the test's choice.
class CastTest : public DataTest {
protected:
    // Adds the cast to the opened store; false when one could not be added.
    bool AddCast(TWorkplace*& ASecond, const QString& ASecondName, const QString& AKitchenShortcut = QString(),
        const QString& ASecondShortcut = QString())
    {
        Ann = AddPerson(QStringLiteral("Ann"));
        Bob = AddPerson(QStringLiteral("Bob"));
        Kitchen = AddWorkplace(QStringLiteral("Kitchen"), AKitchenShortcut);
        ASecond = AddWorkplace(ASecondName, ASecondShortcut);
        return Ann && Bob && Kitchen && ASecond;
    }

    TPerson* Ann = nullptr;
    TPerson* Bob = nullptr;
    TWorkplace* Kitchen = nullptr;
};

// Writes a table file with a chosen field list and rows (null values allowed).
inline void WriteTableFile(const QString& AFileName, const TFieldDefs& ADefs, const QList<QVariantList>& ARows,
    const QList<int>& ADeleteIDs = {})
{
    ASSERT_TRUE(WriteEmptyTableFile(AFileName, ADefs));
    TTable table(QStringLiteral("fixture"));
    table.SetFileName(AFileName);
    ASSERT_EQ(table.Open(), orOpened);
    for (const QVariantList& row : ARows) {
        table.Append();
        int column = 0;
        for (const TFieldDef& def : ADefs) {
            if (def.DataType == ftAutoInc)
                continue;
            table.SetFieldValue(def.Name, row.value(column++));
        }
        ASSERT_TRUE(table.Post());
    }
    for (int id : ADeleteIDs) {
        ASSERT_TRUE(table.Locate(QStringLiteral("ID"), id));
        ASSERT_TRUE(table.Delete());
    }
    ASSERT_TRUE(table.Save());
    table.Close();
}

// The records a query over a table file gives, read through a read-only
// connection of its own (the program may hold the file open meanwhile).
inline QList<QSqlRecord> TableFileQuery(const QString& AFileName, const QString& ASql)
{
    static int counter = 0;
    const QString connection = QStringLiteral("table-file-read-%1").arg(++counter);
    QList<QSqlRecord> records;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(AFileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            ADD_FAILURE() << "cannot open " << AFileName.toStdString();
        } else {
            QSqlQuery query(db);
            if (!query.exec(ASql))
                ADD_FAILURE() << ASql.toStdString() << ": " << query.lastError().text().toStdString();
            while (query.next())
                records << query.record();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return records;
}

// The same rows as the texts of their values in column order.
inline QList<QStringList> FileRows(const QString& AFileName, const QString& ASql)
{
    QList<QStringList> rows;
    for (const QSqlRecord& record : TableFileQuery(AFileName, ASql)) {
        QStringList row;
        for (int i = 0; i < record.count(); ++i)
            row << record.value(i).toString();
        rows << row;
    }
    return rows;
}

// Every record of a table file as field name to value, in the order written.
inline QList<QVariantMap> TableFileRecords(const QString& AFileName)
{
    QList<QVariantMap> rows;
    for (const QSqlRecord& record : TableFileQuery(AFileName, QStringLiteral("SELECT * FROM Data ORDER BY rowid"))) {
        QVariantMap row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), record.value(i));
        rows << row;
    }
    return rows;
}

// Makes a file or folder unwritable, also for root (who ignores permission
// bits but not the immutable attribute); false when that is not possible.
inline bool SetWritable(const QString& APath, bool AWritable)
{
    if (::geteuid() != 0) {
        QFileDevice::Permissions rights = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        if (AWritable)
            rights |= QFileDevice::WriteOwner;
        return QFile::setPermissions(APath, rights);
    }
    return QProcess::execute(QStringLiteral("chattr"), {AWritable ? QStringLiteral("-i") : QStringLiteral("+i"), APath})
           == 0;
}

// Another program holding the write lock of table files: every write to them
// fails as on a full disk, while reading goes on.
class TWriteLocks {
public:
    explicit TWriteLocks(const QStringList& AFileNames)
    {
        static int counter = 0;
        for (const QString& file : AFileNames) {
            const QString name = QStringLiteral("write-lock-%1").arg(++counter);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            QSqlQuery lock(db);
            EXPECT_TRUE(db.open() && lock.exec(QStringLiteral("BEGIN IMMEDIATE"))) << file.toStdString();
            FNames << name;
        }
    }
    ~TWriteLocks()
    {
        for (const QString& name : FNames) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }
    }
    TWriteLocks(const TWriteLocks&) = delete;
    TWriteLocks& operator=(const TWriteLocks&) = delete;

private:
    QStringList FNames;
};

inline TDate Day(int AYear, int AMonth, int ADay)
{
    return DateToOle(QDate(AYear, AMonth, ADay));
}
