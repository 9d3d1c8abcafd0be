// The power-cut test: lives of the program's model on one home folder, each
// ended by a simulated power cut. Every life starts as the program does,
// checks that every change an earlier life was told was stored is there (no
// file set aside, every file whole), then makes random changes (workers,
// workplaces, relations, templates, folder moves, maintenance, structure
// rebuilds) until the cut. A change counts as told once its call returned
// success; what the program then shows is written to a record outside the
// simulated disk before anything else happens.
//
//   power_driver [--cuts N] [--seed S] [--dir D]   a series of N cuts
//   power_driver --scenario NAME [--dir D]         one scripted cut that keeps only synced data
#include "power_disk.h"

#include "core/dialogs.h"
#include "core/program_info.h"
#include "data/data_man.h"
#include "data/data_session.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/table_file.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int FirstDay = 46000;
constexpr int DayCount = 30;
constexpr int MaintenanceLimit = FirstDay + 4;

void Say(const QString& AText)
{
    std::fprintf(stderr, "%s\n", qPrintable(AText));
}

// What the lives were told was stored: "dir" (the folder the settings name),
// "w<ID>" workers, "p<ID>" workplaces, "j<date>/<worker>/<workplace>"
// relations, "m<name>" templates; and the scopes the change under way may
// touch, so a change the cut interrupted may have happened or not.
struct TRecord {
    QMap<QString, QString> Items;
    QStringList Pending;
    int NextName = 1;
    qint64 Told = 0;
    // With POWER_KEEP_GOING: starts that found faults, and the told changes they missed.
    qint64 BadStarts = 0;
    qint64 Missed = 0;

    bool Load(const QString& AFile)
    {
        QFile file(AFile);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString key = line.section(QLatin1Char('\t'), 0, 0);
            const QString value = line.section(QLatin1Char('\t'), 1);
            if (key == QLatin1String("#pending"))
                Pending = value.split(QLatin1Char('|'), Qt::SkipEmptyParts);
            else if (key == QLatin1String("#next"))
                NextName = value.toInt();
            else if (key == QLatin1String("#told"))
                Told = value.toLongLong();
            else if (key == QLatin1String("#bad")) {
                BadStarts = value.section(QLatin1Char(' '), 0, 0).toLongLong();
                Missed = value.section(QLatin1Char(' '), 1, 1).toLongLong();
            } else {
                Items.insert(key, value);
            }
        }
        return true;
    }
    void Save(const QString& AFile) const
    {
        QString text = QStringLiteral("#pending\t%1\n#next\t%2\n#told\t%3\n#bad\t%4 %5\n")
                           .arg(Pending.join(QLatin1Char('|')))
                           .arg(NextName)
                           .arg(Told)
                           .arg(BadStarts)
                           .arg(Missed);
        for (auto it = Items.begin(); it != Items.end(); ++it)
            text += it.key() + QLatin1Char('\t') + it.value() + QLatin1Char('\n');
        QFile file(AFile + QStringLiteral(".new"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
            Say(QStringLiteral("cannot write the record %1").arg(AFile));
            ::_exit(2);
        }
        file.close();
        ::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(AFile).constData());
    }
    // A key the change under way may have touched.
    bool MayDiffer(const QString& AKey) const
    {
        for (const QString& scope : Pending) {
            if (scope == AKey)
                return true;
            if (scope.endsWith(QLatin1Char('+')) && AKey.startsWith(scope.chopped(1)) && !Items.contains(AKey))
                return true;
            if (scope.endsWith(QLatin1Char('*')) && AKey.startsWith(scope.chopped(1)))
                return true;
        }
        return false;
    }
};

// Answers every question as a user who wants the change would, and keeps
// every message: a message at start or after a change is a fault here.
class TPowerDialogs final : public THeadlessDialogs {
public:
    int MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons) override
    {
        if (AKind == mtConfirmation && (AButtons & mbYes))
            return mrYes;
        Messages << AMsg;
        return mrOk;
    }
    std::unique_ptr<ISCModalEditor> CreateEditor(const QString& AClassName) override;

    QStringList Messages;
    // The folder the setup dialog chooses next.
    QString NextDataFolder;
};

// The setup dialog choosing another data folder and closing with OK.
class TFolderChoice final : public ISCModalEditor {
public:
    explicit TFolderChoice(QString AFolder) : FFolder(std::move(AFolder)) {}
    void Bind(TObject* AObject) override { FSetup = dynamic_cast<TSetup*>(AObject); }
    bool ExecModal() override
    {
        if (!FSetup)
            return false;
        FSetup->Data()->SetOtherDataFolder(FFolder);
        FSetup->Data()->SetDataDirKind(sddkOtherDataFolder);
        return true;
    }
    void DataChanged(TObject*, const QString&) override {}

private:
    QString FFolder;
    TSetup* FSetup = nullptr;
};

std::unique_ptr<ISCModalEditor> TPowerDialogs::CreateEditor(const QString& AClassName)
{
    if (AClassName == QLatin1String("TSetupEditor"))
        return std::make_unique<TFolderChoice>(NextDataFolder);
    return nullptr;
}

// What the program shows now.
QMap<QString, QString> Shown(TDataSession* ASession)
{
    QMap<QString, QString> items;
    items.insert(QStringLiteral("dir"), ASession->DataMan->DataDir());
    for (int i = 0; i < ASession->Persons->PersonCount(); ++i) {
        const TPerson* person = ASession->Persons->Persons(i);
        items.insert(QStringLiteral("w%1").arg(person->ID()), person->Name() + QLatin1Char('|') + person->Note());
    }
    for (int i = 0; i < ASession->Workplaces->WorkplaceCount(); ++i) {
        const TWorkplace* place = ASession->Workplaces->Workplaces(i);
        items.insert(QStringLiteral("p%1").arg(place->ID()), place->Shortcut() + QLatin1Char('|') + place->Name());
    }
    ASession->Jobs->SetPersonID(0);
    ASession->Jobs->SetWorkplaceID(0);
    ASession->Jobs->SetDateFrom(FirstDay - 10);
    ASession->Jobs->SetDateTo(FirstDay + DayCount + 10);
    for (int i = 0; i < ASession->Jobs->JobCount(); ++i) {
        const TJob* job = ASession->Jobs->Jobs(i);
        items.insert(
            QStringLiteral("j%1/%2/%3").arg(static_cast<int>(job->Date())).arg(job->PersonID()).arg(job->WorkplaceID()),
            QStringLiteral("1"));
    }
    QStringList names;
    ASession->Macros->GetMacroNames(&names);
    for (const QString& name : names) {
        QStringList pairs;
        if (const std::unique_ptr<TMacro> macro = ASession->Macros->GetMacro(name))
            for (int i = 0; i < macro->MacroJobs()->Count(); ++i)
                pairs << QStringLiteral("%1:%2")
                             .arg(macro->MacroJobs()->Items(i)->PersonID())
                             .arg(macro->MacroJobs()->Items(i)->WorkplaceID());
        pairs.sort();
        items.insert(QLatin1Char('m') + name, pairs.join(QLatin1Char(',')));
    }
    return items;
}

// Faults of the data folder itself: files set aside or not whole.
QStringList FolderFaults(const QString& ADataDir)
{
    QStringList faults;
    static const QRegularExpression aside(QStringLiteral("^[A-Za-z]+\\.cds\\.[0-9A-F]{4}"));
    for (const QString& name : QDir(ADataDir).entryList(QDir::Files))
        if (aside.match(name).hasMatch())
            faults << QStringLiteral("a file was set aside: %1").arg(name);
    for (const QString& name : TDataMan::DataFileNames()) {
        const QString path = ADataDir + name;
        if (!QFileInfo::exists(path)) {
            faults << QStringLiteral("%1 is missing").arg(name);
            continue;
        }
        sqlite3* db = nullptr;
        QString verdict;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK
                && sqlite3_step(statement) == SQLITE_ROW)
                verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            else
                verdict = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        if (verdict != QLatin1String("ok"))
            faults << QStringLiteral("%1 fails its integrity check: %2").arg(name, verdict);
    }
    return faults;
}

QStringList Compare(const TRecord& ARecord, const QMap<QString, QString>& AShown)
{
    QStringList faults;
    QStringList keys = ARecord.Items.keys() + AShown.keys();
    keys.removeDuplicates();
    for (const QString& key : keys) {
        const bool recorded = ARecord.Items.contains(key);
        const bool shown = AShown.contains(key);
        if (recorded && shown && ARecord.Items[key] == AShown[key])
            continue;
        if (ARecord.MayDiffer(key))
            continue;
        if (!shown)
            faults << QStringLiteral("lost: %1 = %2").arg(key, ARecord.Items[key]);
        else if (!recorded)
            faults << QStringLiteral("never told: %1 = %2").arg(key, AShown[key]);
        else
            faults << QStringLiteral("changed: %1 = %2, told %3").arg(key, AShown[key], ARecord.Items[key]);
    }
    return faults;
}

struct TLife {
    QString Root;
    QString RecordFile;
    std::mt19937_64 Random;
    TPowerDialogs Dialogs;
    std::unique_ptr<TDataSession> Session;
    TRecord Record;
    // What the last maintenance wrote to its log.
    QString Log;

    int Pick(int ACount) { return static_cast<int>(Random() % static_cast<uint64_t>(ACount)); }

    [[noreturn]] void Fail(const QStringList& AFaults)
    {
        for (const QString& fault : AFaults)
            Say(QStringLiteral("FAULT: %1").arg(fault));
        ::_exit(1);
    }

    // Starts the program and checks what it shows against the record.
    void StartAndCheck()
    {
        // A first start may find its folder anywhere.
        if (!Record.Load(RecordFile))
            Record.Pending = QStringList{QStringLiteral("dir")};
        Session = std::make_unique<TDataSession>();
        Session->Jobs->FinishChecks();
        QStringList faults = Dialogs.Messages;
        for (QString& message : faults)
            message.prepend(QStringLiteral("message at start: "));
        const QMap<QString, QString> shown = Shown(Session.get());
        faults += Compare(Record, shown);
        faults += FolderFaults(Session->DataMan->DataDir());
        if (!faults.isEmpty() && !qEnvironmentVariableIsSet("POWER_KEEP_GOING"))
            Fail(faults);
        if (!faults.isEmpty()) {
            for (const QString& fault : faults)
                Say(QStringLiteral("FAULT: %1").arg(fault));
            ++Record.BadStarts;
            for (const QString& fault : faults)
                Record.Missed += fault.startsWith(QLatin1String("lost")) || fault.startsWith(QLatin1String("changed"))
                                 || fault.startsWith(QLatin1String("never told"));
        }
        Record.Items = shown;
        Record.Pending.clear();
        Record.Save(RecordFile);
        Dialogs.Messages.clear();
    }

    // A change: the scopes it may touch are recorded first, what the program
    // shows once it returned success afterwards.
    void Change(const QString& AWhat, const QStringList& AScopes, const std::function<bool()>& AChange)
    {
        Record.Pending = AScopes;
        Record.Save(RecordFile);
        if (qEnvironmentVariableIsSet("POWER_TRACE"))
            Say(QStringLiteral("%1 (%2) after event %3")
                    .arg(AWhat, AScopes.join(QLatin1Char(' ')))
                    .arg(PowerDisk::Events()));
        const bool ok = AChange();
        if ((!ok || !Dialogs.Messages.isEmpty()) && !qEnvironmentVariableIsSet("POWER_KEEP_GOING"))
            Fail(QStringList{QStringLiteral("%1 was refused").arg(AWhat)} + Dialogs.Messages + QStringList{Log});
        Dialogs.Messages.clear();
        Record.Items = Shown(Session.get());
        Record.Pending.clear();
        ++Record.Told;
        Record.Save(RecordFile);
    }

    TPerson* SomeWorker()
    {
        const int count = Session->Persons->PersonCount();
        return count ? Session->Persons->Persons(Pick(count)) : nullptr;
    }
    TWorkplace* SomeWorkplace()
    {
        const int count = Session->Workplaces->WorkplaceCount();
        return count ? Session->Workplaces->Workplaces(Pick(count)) : nullptr;
    }

    void AddWorker()
    {
        const QString name = QStringLiteral("Žofie Nováková %1").arg(Record.NextName++);
        Change(QStringLiteral("adding a worker"), {QStringLiteral("w+")}, [&] {
            auto person = TSCObject::Create<TPerson>();
            person->SetName(name);
            person->SetSortingName(name);
            return Session->Persons->InsertPerson(person);
        });
    }
    void AddWorkplace()
    {
        const int n = Record.NextName++;
        Change(QStringLiteral("adding a workplace"), {QStringLiteral("p+")}, [&] {
            auto place = TSCObject::Create<TWorkplace>();
            place->SetName(QStringLiteral("Workplace %1").arg(n));
            place->SetShortcut(QStringLiteral("W%1").arg(n));
            return Session->Workplaces->InsertWorkplace(place);
        });
    }
    void RandomChange()
    {
        TPerson* person = SomeWorker();
        TWorkplace* place = SomeWorkplace();
        const int day = FirstDay + Pick(DayCount);
        const int kind = Pick(100);
        if (!person || !place || kind < 8) {
            if (!person || (place && kind < 4))
                AddWorker();
            else
                AddWorkplace();
        } else if (kind < 12) {
            const QString note = QStringLiteral("note %1").arg(Record.NextName++);
            Change(QStringLiteral("editing a worker"), {QStringLiteral("w%1").arg(person->ID())}, [&] {
                person->SetNote(note);
                return Session->Persons->InsertPerson(person);
            });
        } else if (kind < 15) {
            const int id = person->ID();
            Change(QStringLiteral("deleting a worker"), {QStringLiteral("w%1").arg(id)},
                [&] { return Session->Persons->DeletePerson(id); });
        } else if (kind < 17) {
            const int id = place->ID();
            Change(QStringLiteral("deleting a workplace"), {QStringLiteral("p%1").arg(id)},
                [&] { return Session->Workplaces->DeleteWorkplace(id); });
        } else if (kind < 55) {
            const QString key = QStringLiteral("j%1/%2/%3").arg(day).arg(person->ID()).arg(place->ID());
            if (Record.Items.contains(key))
                Change(QStringLiteral("removing a relation"), {key},
                    [&] { return Session->Jobs->DeleteJob(day, person->ID(), place->ID()); });
            else
                Change(QStringLiteral("adding a relation"), {key},
                    [&] { return Session->Jobs->AddJob(day, person, place) != nullptr; });
        } else if (kind < 70) {
            std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
            for (int i = 1 + Pick(12); i > 0; --i)
                pairs.emplace_back(SomeWorker(), SomeWorkplace());
            Change(QStringLiteral("applying a template"), {QStringLiteral("j%1/*").arg(day)},
                [&] { return Session->Jobs->AddJobs(day, pairs); });
        } else if (kind < 82) {
            const QString name = QStringLiteral("Template %1").arg(Pick(4));
            TMacro macro;
            macro.SetName(name);
            for (int i = Pick(6); i > 0; --i)
                macro.MacroJobs()->AddMacroJob(SomeWorker()->ID(), SomeWorkplace()->ID());
            Change(QStringLiteral("saving a template"), {QLatin1Char('m') + name},
                [&] { return Session->Macros->PutMacro(&macro); });
        } else if (kind < 88) {
            MoveData();
        } else if (kind < 94) {
            const bool purge = Pick(3) == 0;
            // A backup folder of the same second stops it before it changes anything.
            QString& log = Log;
            log.clear();
            Change(QStringLiteral("the maintenance"), purge ? QStringList{QStringLiteral("j*")} : QStringList{}, [&] {
                Session->DataMan->RunMaintenance(
                    purge ? MaintenanceLimit : 0, [&](int, const QString& AText) { log += AText; }, true);
                return !log.contains(QLatin1String("Error!"))
                       || log.contains(QLatin1String("Can not create backup folder"));
            });
        } else {
            RebuildWorkers();
        }
    }

    void MoveData()
    {
        const QString home = Root + QStringLiteral("/home/");
        const QString target = Session->DataMan->DataDir().contains(QLatin1String("/Shared/"))
                                   ? home + QStringLiteral("Plan")
                                   : home + QStringLiteral("Shared/Plenvo");
        Dialogs.NextDataFolder = target;
        Change(QStringLiteral("moving the data"), {QStringLiteral("dir")}, [&] {
            return Session->Setup->Edit(0) && Session->DataMan->DataDir() == IncludeBackslash(target)
                   && Session->Setup->Data()->DataDir() == IncludeBackslash(target);
        });
    }

    // The workers file as an older version left it, then opened again.
    void RebuildWorkers()
    {
        Change(QStringLiteral("rebuilding the workers file"), {}, [&] {
            TFieldDefs older = TPersonMan::FieldDefs();
            older.removeLast();
            Session->Persons->CloseDBFiles();
            QString error;
            const bool written = RebuildTableFile(
                Session->DataMan->DataDir() + QStringLiteral("Workers.cds"), TPersonMan::FieldDefs(), older, &error);
            Session->Persons->OpenDBFiles();
            return written && Session->Persons->Table().CanModify();
        });
    }
};

enum class TLifeKind { Random, CheckOnly, NewFolder, MovedFolder };

[[noreturn]] void Live(const QString& ADir, uint64_t ASeed, TLifeKind AKind)
{
    TLife life;
    life.Root = ADir + QStringLiteral("/disk");
    life.RecordFile = ADir + QStringLiteral("/record.txt");
    life.Random.seed(ASeed);
    const bool scripted = AKind == TLifeKind::NewFolder || AKind == TLifeKind::MovedFolder;
    PowerDisk::Start(life.Root.toStdString(), ASeed,
        scripted || life.Random() % 2 ? PowerDisk::TCutModel::Synced : PowerDisk::TCutModel::Random);
    if (AKind == TLifeKind::Random)
        PowerDisk::CutAt(1 + life.Random() % 700);

    int argc = 1;
    char name[] = "power_driver";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Plenvo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zanthor Software"));
    SetDialogs(&life.Dialogs);
    InitProgramInfo();
    life.StartAndCheck();
    switch (AKind) {
    case TLifeKind::CheckOnly:
        std::printf("%lld\n", static_cast<long long>(life.Record.Told));
        ::_exit(0);
    case TLifeKind::NewFolder:
        life.AddWorker();
        break;
    case TLifeKind::MovedFolder:
        life.AddWorker();
        life.MoveData();
        life.AddWorker();
        break;
    case TLifeKind::Random:
        for (int i = 0; i < 40; ++i)
            life.RandomChange();
        break;
    }
    PowerDisk::Cut(PowerDisk::CutExitCode);
}

// Runs one life in a child process; its exit code.
int RunLife(const QString& ADir, uint64_t ASeed, TLifeKind AKind)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child == 0)
        Live(ADir, ASeed, AKind);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

QString NewRound(const QString& ADir, int ARound)
{
    const QString round = ADir + QStringLiteral("/round-%1").arg(ARound);
    QDir().mkpath(round + QStringLiteral("/disk/home"));
    QDir().mkpath(round + QStringLiteral("/tmp"));
    return round;
}

void SetUpEnvironment(const QString& ADir)
{
    // Everything the program keeps lies on the simulated disk: settings,
    // documents, the folders it offers.
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_PUBLICSHARE_DIR"})
        ::unsetenv(name);
    ::setenv("TMPDIR", QFile::encodeName(ADir + QStringLiteral("/tmp")).constData(), 1);
}
} // namespace

int main(int argc, char* argv[])
{
    int cuts = 60;
    uint64_t seed = static_cast<uint64_t>(std::time(nullptr));
    QString dir;
    QString scenario;
    // A series may start at a later round, to repeat the one that failed.
    int firstRound = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (option == QLatin1String("--cuts"))
            cuts = value.toInt();
        else if (option == QLatin1String("--seed"))
            seed = value.toULongLong();
        else if (option == QLatin1String("--dir"))
            dir = value;
        else if (option == QLatin1String("--scenario"))
            scenario = value;
        else if (option == QLatin1String("--round"))
            firstRound = value.toInt();
    }
    const bool keep = !dir.isEmpty();
    if (dir.isEmpty()) {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/plenvo-power-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return 2;
        dir = QString::fromLocal8Bit(pattern);
    }
    dir = QFileInfo(dir).absoluteFilePath();
    QDir().mkpath(dir);

    int failed = 0;
    if (scenario == QLatin1String("check")) {
        // Checks a round folder as it is (one kept by POWER_KEEP_CUTS, say).
        SetUpEnvironment(dir);
        ::setenv("HOME", QFile::encodeName(dir + QStringLiteral("/disk/home")).constData(), 1);
        return RunLife(dir, seed, TLifeKind::CheckOnly) != 0;
    }
    if (!scenario.isEmpty()) {
        const TLifeKind kind = scenario == QLatin1String("new-folder") ? TLifeKind::NewFolder : TLifeKind::MovedFolder;
        const QString round = NewRound(dir, 0);
        SetUpEnvironment(round);
        ::setenv("HOME", QFile::encodeName(round + QStringLiteral("/disk/home")).constData(), 1);
        const int cut = RunLife(round, seed, kind);
        failed = cut != PowerDisk::CutExitCode || RunLife(round, seed + 1, TLifeKind::CheckOnly) != 0;
        std::printf("scenario %s: %s\n", qPrintable(scenario), failed ? "FAILED" : "passed");
    } else {
        // Rounds of a few lives each, so first starts are cut as well.
        constexpr int LivesPerRound = 10;
        std::printf("power-cut series: %d cuts, seed %llu, in %s\n", cuts, static_cast<unsigned long long>(seed),
            qPrintable(dir));
        qint64 told = 0;
        qint64 badStarts = 0;
        qint64 missed = 0;
        const int skipped = firstRound * LivesPerRound;
        int done = skipped;
        cuts += skipped;
        for (int round = firstRound; done < cuts && !failed; ++round) {
            const QString roundDir = NewRound(dir, round);
            SetUpEnvironment(roundDir);
            ::setenv("HOME", QFile::encodeName(roundDir + QStringLiteral("/disk/home")).constData(), 1);
            for (int life = 0; life < LivesPerRound && done < cuts; ++life, ++done) {
                const uint64_t lifeSeed = seed * 1000003 + static_cast<uint64_t>(done);
                const int code = RunLife(roundDir, lifeSeed, TLifeKind::Random);
                // POWER_KEEP_CUTS keeps the disk as each cut left it, to look at.
                if (qEnvironmentVariableIsSet("POWER_KEEP_CUTS"))
                    std::system(qPrintable(
                        QStringLiteral("cp -a '%1/disk' '%1/disk-after-cut-%2'").arg(roundDir).arg(done + 1)));
                if (code == PowerDisk::CutExitCode)
                    continue;
                std::printf("cut %d (round %d, seed %llu) ended with %d\n", done + 1, round,
                    static_cast<unsigned long long>(lifeSeed), code);
                failed = 1;
                break;
            }
            if (!failed && RunLife(roundDir, seed + static_cast<uint64_t>(round), TLifeKind::CheckOnly) != 0) {
                std::printf("the check after round %d failed\n", round);
                failed = 1;
            }
            TRecord record;
            record.Load(roundDir + QStringLiteral("/record.txt"));
            told += record.Told;
            badStarts += record.BadStarts;
            missed += record.Missed;
        }
        std::printf("%d cuts, %lld changes told as stored: %s\n", done - skipped, static_cast<long long>(told),
            failed || badStarts ? "FAILED" : "none lost");
        if (badStarts)
            std::printf("%lld starts found faults, %lld told changes were not shown as told\n",
                static_cast<long long>(badStarts), static_cast<long long>(missed));
    }
    if (!failed && !keep)
        QDir(dir).removeRecursively();
    return failed;
}
