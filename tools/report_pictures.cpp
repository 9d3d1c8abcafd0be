// Prints every report of the project to PDF through the real list printers:
// a catering firm's March 2025 with 40 workers (degrees, non-ASCII names), 12
// workplaces, one worker and one workplace deleted after planning, one
// workplace renamed and a few absences. The README's report pictures are
// taken from these files with pdftoppm.
//   plenvo_report_pictures PROJECT.rav OUTPUT_FOLDER
#include "core/program_info.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"
#include "reports/report_layout.h"
#include "reports/report_paint.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/daily/ds_lists.h"
#include "schedule/schedule_stores.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/worker/ps_lists.h"
#include "schedule/workplace/workplace_schedule.h"
#include "schedule/workplace/ws_lists.h"
#include "setup/setup.h"

#include "sample_home.h"

#include <QApplication>
#include <QDate>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <map>

namespace {

// Lays each report out and writes it to OUTPUT_FOLDER/<report>.pdf.
class TPdfReportEngine final : public TReportEngine {
public:
    TPdfReportEngine(const QString& AProject, const QString& AFolder) : FProject(AProject), FFolder(AFolder) {}
    void SetProjectFile(const QString&) override {}
    QString ProjectFile() const override { return FProject; }
    void ClearParams() override { FParams.clear(); }
    void SetParam(const QString& AName, const QString& AValue) override { FParams.insert(AName, AValue); }
    QString Param(const QString& AName) const override { return FParams.value(AName); }
    bool HasParam(const QString& AName) const override { return FParams.contains(AName); }
    void SetDataConnection(const QString& AName, const TPrintTable* ATable) override { FTables[AName] = ATable; }
    bool PrinterSetup(const QString&) override { return true; }
    bool ExecuteReport(const QString& AReportName) override
    {
        TReportProject project;
        TReportLayout layout;
        QString error;
        if (!project.LoadFromFile(FProject, error) || !project.Layout(AReportName, layout, error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(AReportName), qPrintable(error));
            Failed = true;
            return false;
        }
        const auto connections = [this](const QString& AName) {
            const auto found = FTables.find(AName);
            return found == FTables.end() ? nullptr : found->second;
        };
        const TReportDocument document = LayoutReport(layout, FParams, connections, TReportPageGeometry());
        if (!SaveReportPdf(document, FFolder + "/" + AReportName + ".pdf")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(AReportName));
            Failed = true;
            return false;
        }
        Printed << AReportName;
        return true;
    }

    bool Failed = false;
    QStringList Printed;

private:
    QString FProject, FFolder;
    TReportParams FParams;
    std::map<QString, const TPrintTable*> FTables;
};

const char* const Variants[] = {"General", "Full", "TwoCol"};

// A period schedule's month around ADay, each of its lists in every layout.
template <class TSchedule, class TRefreshKinds>
void PrintMonth(TSchedule& ASchedule, TRefreshKinds AAll, TDate ADay, const QString& APrefix, const QString& ADayReport)
{
    ASchedule.SetDate(ADay);
    ASchedule.SetDateDaysKind(ddkMonth);
    ASchedule.Refresh(AAll);
    for (const char* v : Variants) {
        ASchedule.Persons()->Print(APrefix + "Persons" + v, false);
        ASchedule.Workplaces()->Print(APrefix + "Workplaces" + v, false);
        ASchedule.Days()->Print(ADayReport + v);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: plenvo_report_pictures PROJECT.rav OUTPUT_FOLDER\n");
        return 2;
    }
    TSampleHome home;
    // The next new or edited object's values.
    std::function<void(TObject*)> fill;
    const auto editor = [&fill] { return std::make_unique<TFillEditor>([&fill](TObject* AObject) { fill(AObject); }); };
    home.Dialogs.RegisterEditor("TPersonEditor", editor);
    home.Dialogs.RegisterEditor("TWorkplaceEditor", editor);

    TPdfReportEngine engine(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    {
        TSetup setup;
        setup.Data()->SetDataDirKind(sddkOtherDataFolder);
        setup.Data()->SetOtherDataFolder(home.DataFolder());
        setup.General()->SetNote("Zanthor Catering");
        setup.General()->SetSubnote("Kitchen and service, Harbour Street 4");
        TDataMan dataMan;
        TPersonMan persons;
        TWorkplaceMan workplaces;
        TJobMan jobs;
        TMacroMan macros;

        const QDate day(2025, 3, 12);
        static const char* const firstNames[]
            = {"Zoë", "Åsa", "Jürgen", "Łukasz", "Renée", "Björn", "Chloé", "Dagný", "Émile", "František", "Ingrid",
                "Søren", "Małgorzata", "José", "Anaïs", "Ömer", "Žofie", "Niamh", "Kaarel", "Ľubica"};
        static const char* const surnames[]
            = {"Ångström", "Müller", "Nowak", "Øverland", "Dvořák", "Šimek", "Łącki", "García", "Çelik", "Kjærgaard"};
        static const char* const degrees[] = {"", "Dr. ", "Ing. ", "Mgr. ", "", "Bc. ", "", "MUDr. "};
        std::vector<TPerson*> people;
        for (int i = 0; i < 40; ++i) {
            const QString first = QString::fromUtf8(firstNames[i % 20]);
            const QString last = QString::fromUtf8(surnames[(i * 3 + i / 20) % 10]);
            fill = [&, i, first, last](TObject* AObject) {
                auto* person = static_cast<TPerson*>(AObject);
                person->SetName(QString::fromUtf8(degrees[i % 8]) + first + ' ' + last);
                person->SetSortingName(last + ' ' + first);
                if (i % 9 == 4)
                    person->SetNote("Prefers early shifts; certified for the espresso machine; speaks German, Polish");
                else if (i % 6 == 1)
                    person->SetNote("Allergic to nuts");
                if (i == 3 || i == 11 || i == 22) { // away in March, on the day itself, last summer
                    const QDate from = i == 3 ? QDate(2025, 3, 10) : i == 11 ? day : QDate(2024, 7, 1);
                    person->SetDateOutFrom(DateToOle(from));
                    person->SetDaysOut(i == 3 ? 5 : i == 11 ? 1 : 21);
                    person->SetNoteOut(i == 22 ? "Parental leave" : "Holiday");
                }
            };
            people.push_back(persons.AddPerson());
        }
        std::vector<TWorkplace*> places;
        for (const TSampleWorkplace& w :
            {TSampleWorkplace{"KIT", "Kitchen", 0xDFEBFF, "Lunch for 120"},
                TSampleWorkplace{"BAR", "Bar", 0xFFE8DF, ""},
                TSampleWorkplace{"TER", "Terrace", 0xDFFFE3, "Open from 11 when dry"},
                TSampleWorkplace{"SRV", "Service", 0xFFDFEF, ""},
                TSampleWorkplace{"DEL", "Delivery", 0xEFEFEF, "Van 2"}, TSampleWorkplace{"PAS", "Pastry", 0xE8DFFF, ""},
                TSampleWorkplace{"GRL", "Grill station", 0xDFF7FF, ""},
                TSampleWorkplace{"BAK", "Bakery", 0xFFF5DF, "Starts at 5"},
                TSampleWorkplace{"CLD", "Cold room", 0xE0FFFF, ""}, TSampleWorkplace{"WSH", "Washing-up", 0xF0F0FF, ""},
                TSampleWorkplace{"OFF", "Office", 0xFFFFE0, ""}, TSampleWorkplace{"LAU", "Laundry", 0xFFE0E0, ""}}) {
            fill = [w](TObject* AObject) {
                auto* place = static_cast<TWorkplace*>(AObject);
                place->SetName(QString::fromUtf8(w.Name));
                place->SetShortcut(w.Shortcut);
                place->SetColor(w.Color);
                place->SetNote(QString::fromUtf8(w.Note));
            };
            places.push_back(workplaces.AddWorkplace());
        }
        // The month: most workers at a workplace each day, some at two.
        for (QDate d(2025, 3, 1); d.month() == 3; d = d.addDays(1)) {
            std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
            for (int i = 0; i < 40; ++i) {
                if ((i + d.day()) % 5 == 0)
                    continue;
                pairs.emplace_back(people[static_cast<size_t>(i)], places[static_cast<size_t>((i + d.day() / 7) % 12)]);
                if (i % 13 == 0)
                    pairs.emplace_back(people[static_cast<size_t>(i)], places[1]);
            }
            jobs.AddJobs(DateToOle(d), pairs);
        }
        // After planning: one worker and one workplace leave the register, one
        // workplace is renamed.
        const int chosenWorker = people[3]->ID(), chosenPlace = places[5]->ID();
        persons.DeletePerson(people[17]->ID());
        workplaces.DeleteWorkplace(places[11]->ID());
        fill = [](TObject* AObject) { static_cast<TWorkplace*>(AObject)->SetName(QString::fromUtf8("Café terrace")); };
        workplaces.EditWorkplace(places[2]);

        TDataManPrint printing(&engine);
        TDataManPrint::SetInstance(&printing);
        TScheduleStores scheduleStores;
        {
            TDailySchedule daily;
            daily.SetDate(DateToOle(day));
            daily.Refresh(dsrkAll);
            for (const char* v : Variants) {
                daily.Workplaces()->Print(QStringLiteral("DailySchedule") + v, false);
                daily.Persons()->Print(QStringLiteral("DSPersons") + v, false);
                // The registers as the daily screen prints them.
                daily.Persons()->Print(QStringLiteral("Persons") + v, true);
                daily.Workplaces()->Print(QStringLiteral("Workplaces") + v, true);
            }
        }
        TPersonSchedule personSchedule;
        personSchedule.SetPersonID(chosenWorker);
        PrintMonth(personSchedule, psrkAll, DateToOle(day), "PS", "PersonSchedule");
        TWorkplaceSchedule workplaceSchedule;
        workplaceSchedule.SetWorkplaceID(chosenPlace);
        PrintMonth(workplaceSchedule, wsrkAll, DateToOle(day), "WS", "WorkplaceSchedule");
        TDataManPrint::SetInstance(nullptr);
    }
    std::printf("%lld reports printed\n", static_cast<long long>(engine.Printed.size()));
    return engine.Failed || engine.Printed.size() != 30 ? 1 : 0;
}
