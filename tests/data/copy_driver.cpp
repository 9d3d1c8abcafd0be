// Another copy of the program on a data folder, for the tests of two copies:
// runs the changes named on its command line through the managers, or a
// random series of them, and prints each change it got acknowledged.
//   copy_driver DIR add-worker:NAME note:NAME:TEXT del-worker:NAME
//               add-workplace:SHORTCUT:NAME plan:DATE:WORKER:SHORTCUT ...
//   copy_driver DIR random:SEED:COUNT:PARITY   (its relations on days of that parity)
//   copy_driver DIR all-pairs:DATE             (every worker on every workplace)
// With PLENVO_COPY_SERVER set (a connection string) the tables are that
// server's instead of the folder's.
#include "data/data_session.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>
#include <set>
#include <tuple>

namespace {
constexpr int FirstDay = 46000;

void Say(const QString& ALine)
{
    std::printf("%s\n", qPrintable(ALine));
    std::fflush(stdout);
}

TWorkplace* WorkplaceByShortcut(TWorkplaceMan& AWorkplaces, const QString& AShortcut)
{
    for (int i = 0; i < AWorkplaces.WorkplaceCount(); ++i)
        if (AWorkplaces.Workplaces(i)->Shortcut() == AShortcut)
            return AWorkplaces.Workplaces(i);
    return nullptr;
}

// A stored worker "W ID NAME", or none.
TPerson* StoreWorker(TPersonMan& APersons, std::unique_ptr<TPerson> ANew, TPerson* AExisting)
{
    TPerson* person = AExisting ? AExisting : ANew.get();
    const bool ok = AExisting ? APersons.InsertPerson(AExisting) : APersons.InsertPerson(ANew);
    if (!ok)
        return nullptr;
    Say(QStringLiteral("W %1 %2").arg(person->ID()).arg(person->Name()));
    return person;
}

bool Run(TDataSession& ACopy, const QStringList& AStep)
{
    TPersonMan& persons = *ACopy.Persons;
    TWorkplaceMan& workplaces = *ACopy.Workplaces;
    const QString& what = AStep.value(0);
    if (what == QLatin1String("add-worker")) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(AStep.value(1));
        return StoreWorker(persons, std::move(person), nullptr);
    }
    if (what == QLatin1String("note")) {
        TPerson* person = persons.Persons(AStep.value(1));
        if (!person)
            return false;
        person->SetNote(AStep.value(2));
        return StoreWorker(persons, nullptr, person);
    }
    if (what == QLatin1String("del-worker")) {
        TPerson* person = persons.Persons(AStep.value(1));
        return person && persons.DeletePerson(person->ID());
    }
    if (what == QLatin1String("add-workplace")) {
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetShortcut(AStep.value(1));
        workplace->SetName(AStep.value(2));
        return workplaces.InsertWorkplace(workplace);
    }
    if (what == QLatin1String("plan")) {
        TPerson* person = persons.Persons(AStep.value(2));
        TWorkplace* workplace = WorkplaceByShortcut(workplaces, AStep.value(3));
        return ACopy.Jobs->AddJob(AStep.value(1).toInt(), person, workplace);
    }
    return false;
}

// Every worker on every workplace of ADay, one drop at a time; a pair the
// other copy stored first is no failure.
int AllPairs(TDataSession& ACopy, TDate ADay)
{
    int added = 0;
    for (int p = 0; p < ACopy.Persons->PersonCount(); ++p)
        for (int w = 0; w < ACopy.Workplaces->WorkplaceCount(); ++w) {
            TPerson* person = ACopy.Persons->Persons(p);
            TWorkplace* workplace = ACopy.Workplaces->Workplaces(w);
            if (ACopy.Jobs->AddJob(ADay, person, workplace)) {
                ++added;
            } else if (const QString error = ACopy.Jobs->Table().LastError(); !error.isEmpty()) {
                Say(QStringLiteral("FAIL ") + error);
                return -1;
            } else {
                ACopy.Jobs->SetDateFrom(ADay);
                ACopy.Jobs->SetDateTo(ADay);
                ACopy.Jobs->SetPersonID(person->ID());
                ACopy.Jobs->SetWorkplaceID(workplace->ID());
                if (ACopy.Jobs->JobCount() != 1)
                    return -1;
            }
        }
    Say(QStringLiteral("ADDED %1").arg(added));
    return 0;
}

// Drops and takes back relations on its own days, adds, renames and deletes
// its own workers under names both copies draw from, adds workplaces.
int RandomSeries(TDataSession& ACopy, quint32 ASeed, int ACount, int AParity)
{
    QRandomGenerator random(ASeed);
    std::set<std::tuple<int, int, int>> planned;
    std::vector<TPerson*> own;
    auto poolName = [&](const char* AStem) {
        const QString stem = QString::fromLatin1(AStem);
        return (random.bounded(2) ? stem : stem.toLower()) + QString::number(random.bounded(30));
    };
    for (int i = 0; i < ACount; ++i) {
        const int kind = random.bounded(100);
        bool ok = true;
        if (kind < 55 && ACopy.Persons->PersonCount() > 0 && ACopy.Workplaces->WorkplaceCount() > 0) {
            const int day = FirstDay + 2 * random.bounded(10) + AParity;
            TPerson* person = ACopy.Persons->Persons(random.bounded(ACopy.Persons->PersonCount()));
            TWorkplace* workplace = ACopy.Workplaces->Workplaces(random.bounded(ACopy.Workplaces->WorkplaceCount()));
            const auto key = std::make_tuple(day, person->ID(), workplace->ID());
            const bool add = !planned.count(key);
            ok = add ? ACopy.Jobs->AddJob(day, person, workplace) != nullptr
                     : ACopy.Jobs->DeleteJob(day, person->ID(), workplace->ID());
            if (ok) {
                if (add)
                    planned.insert(key);
                else
                    planned.erase(key);
                Say(QStringLiteral("R%1 %2 %3 %4")
                        .arg(add ? '+' : '-')
                        .arg(day)
                        .arg(person->ID())
                        .arg(workplace->ID()));
            }
        } else if (kind < 75 || own.empty()) {
            auto person = TSCObject::Create<TPerson>();
            person->SetName(poolName("Worker "));
            TPerson* stored = StoreWorker(*ACopy.Persons, std::move(person), nullptr);
            ok = stored;
            if (stored)
                own.push_back(stored);
        } else if (kind < 88) {
            TPerson* person = own[random.bounded(int(own.size()))];
            person->SetName(poolName("Worker "));
            person->SetNote(QString::number(i));
            ok = StoreWorker(*ACopy.Persons, nullptr, person);
        } else if (kind < 95) {
            const int index = random.bounded(int(own.size()));
            const int id = own[index]->ID();
            ok = ACopy.Persons->DeletePerson(id);
            own.erase(own.begin() + index);
            if (ok)
                Say(QStringLiteral("X %1").arg(id));
        } else {
            auto workplace = TSCObject::Create<TWorkplace>();
            workplace->SetShortcut(poolName("S"));
            workplace->SetName(poolName("Place "));
            ok = ACopy.Workplaces->InsertWorkplace(workplace);
        }
        if (!ok) {
            Say(QStringLiteral("FAIL %1: %2 %3 %4")
                    .arg(i)
                    .arg(ACopy.Persons->StoreError(), ACopy.Workplaces->StoreError(), ACopy.Jobs->Table().LastError()));
            return 1;
        }
    }
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    TDataSession copy(args[1], qEnvironmentVariable("PLENVO_COPY_SERVER"));
    for (const QString& arg : args.mid(2)) {
        const QStringList step = arg.split(QLatin1Char(':'));
        if (step[0] == QLatin1String("random"))
            return RandomSeries(copy, step.value(1).toUInt(), step.value(2).toInt(), step.value(3).toInt());
        if (step[0] == QLatin1String("all-pairs"))
            return AllPairs(copy, step.value(1).toInt()) == 0 ? 0 : 1;
        if (!Run(copy, step)) {
            Say(QStringLiteral("FAIL ") + arg);
            return 1;
        }
    }
    return 0;
}
