// Runs a stream of AddJob/DeleteJob on a prepared data folder (the server
// PLENVO_COPY_SERVER names, when set) and reports each change before ("B")
// and after ("D") it returned, until it is killed. With
// "--hot-journal FILE" it is instead a writer of a rollback journal that dies
// in the middle of a transaction, its changed pages already in the file; with
// "--hold DIR" another copy of the program working in DIR until it is killed.
#include "data/data_man.h"
#include "data/data_session.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <set>
#include <tuple>

#include <unistd.h>

namespace {
void Say(const QByteArray& ALine)
{
    const QByteArray line = ALine + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line.constData(), static_cast<size_t>(line.size()));
}
} // namespace

int DieMidTransaction(const char* AFileName)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(AFileName, &db) != SQLITE_OK)
        return 2;
    // A cache of a few pages spills the update into the file before commit.
    for (const char* sql :
        {"PRAGMA journal_mode=DELETE", "PRAGMA cache_size=2", "BEGIN", "UPDATE Data SET Note = hex(randomblob(40))"})
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            return 3;
    std::raise(SIGKILL);
    return 4;
}

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--hot-journal")
        return DieMidTransaction(argv[2]);
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hold") {
        TDataMan dataMan;
        dataMan.SetDataDir(QString::fromLocal8Bit(argv[2]));
        Say("READY");
        for (;;)
            ::pause();
    }
    if (argc < 3)
        return 2;
    TDataSession session(QString::fromLocal8Bit(argv[1]), qEnvironmentVariable("PLENVO_COPY_SERVER"));
    TPersonMan* persons = session.Persons.get();
    TWorkplaceMan* workplaces = session.Workplaces.get();
    TJobMan* jobs = session.Jobs.get();
    QRandomGenerator random(static_cast<quint32>(QByteArray(argv[2]).toUInt()));
    std::set<std::tuple<int, int, int>> present;
    jobs->SetDateFrom(46000);
    jobs->SetDateTo(46100);
    for (int i = 0; i < jobs->JobCount(); ++i)
        present.insert(
            {static_cast<int>(jobs->Jobs(i)->Date()), jobs->Jobs(i)->PersonID(), jobs->Jobs(i)->WorkplaceID()});
    Say("READY");
    for (int i = 0;; ++i) {
        const int day = 46000 + random.bounded(20);
        TPerson* person = persons->Persons(random.bounded(persons->PersonCount()));
        TWorkplace* workplace = workplaces->Workplaces(random.bounded(workplaces->WorkplaceCount()));
        const auto key = std::make_tuple(day, person->ID(), workplace->ID());
        const bool add = !present.count(key);
        Say(QByteArray("B ") + (add ? "A " : "D ") + QByteArray::number(day) + ' ' + QByteArray::number(person->ID())
            + ' ' + QByteArray::number(workplace->ID()));
        const bool ok = add ? jobs->AddJob(day, person, workplace) != nullptr
                            : jobs->DeleteJob(day, person->ID(), workplace->ID());
        if (!ok)
            return 1;
        if (add)
            present.insert(key);
        else
            present.erase(key);
        Say("D");
    }
}
