// Takes the README's pictures of the three screens: a private home with a few
// workers and coloured workplaces planned for this month, the real main
// window grabbed to PNGs: the daily schedule today, then a worker's and a
// workplace's month. Run with QT_SCALE_FACTOR=2 for the 200 % pictures.
//   plenvo_screenshot DAILY.png [WORKER.png WORKPLACE.png]
#include "core/program_info.h"
#include "core/screen.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"
#include "schedule/schedule_stores.h"
#include "setup/setup.h"
#include "ui/daily/daily_schedule_frame.h"
#include "ui/program_window.h"
#include "ui/screen_factories.h"

#include "sample_home.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: plenvo_screenshot DAILY.png [WORKER.png WORKPLACE.png]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString workerOut = argc > 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString workplaceOut = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    // The offscreen screen is small; the pictures show the window at its own
    // size, which a screen of a desktop holds at 100 % and at 200 %.
    SetScreenSizeProvider([] { return QSize(1920, 1080); });
    TSampleHome home;
    TQtDialogs& dialogs = home.Dialogs;
    QString nextName;
    TSampleWorkplace nextWorkplace{};
    dialogs.RegisterEditor("TPersonEditor", [&nextName] {
        return std::make_unique<TFillEditor>([&nextName](TObject* o) {
            auto* person = static_cast<TPerson*>(o);
            person->SetName(nextName);
            if (nextName == "Sara Holm") {
                person->SetDateOutFrom(Today());
                person->SetDaysOut(5);
                person->SetNoteOut("Holiday");
            }
        });
    });
    dialogs.RegisterEditor("TWorkplaceEditor", [&nextWorkplace] {
        return std::make_unique<TFillEditor>([&nextWorkplace](TObject* o) {
            auto* w = static_cast<TWorkplace*>(o);
            w->SetName(nextWorkplace.Name);
            w->SetShortcut(nextWorkplace.Shortcut);
            w->SetColor(nextWorkplace.Color);
            w->SetNote(nextWorkplace.Note);
        });
    });

    int code = 0;
    {
        TSetup setup;
        setup.Data()->SetDataDirKind(sddkOtherDataFolder);
        setup.Data()->SetOtherDataFolder(home.DataFolder());
        setup.General()->SetNote("Zanthor Catering");
        setup.General()->SetSubnote("Kitchen and service, Harbour Street 4");
        setup.General()->SetShowNoteOnDSWorkplace(true);
        TDataMan dataMan;
        TPersonMan persons;
        TWorkplaceMan workplaces;
        TJobMan jobs;
        TMacroMan macros;

        std::vector<TPerson*> people;
        for (const char* name : {"Anna Berg", "Tom Keller", "Mia Novak", "Jonas Lind", "Sara Holm", "Eric Dahl",
                 "Lena Voss", "Paul Meyer", "Ida Strand"}) {
            nextName = name;
            people.push_back(persons.AddPerson());
        }
        std::vector<TWorkplace*> places;
        for (const TSampleWorkplace& w : {TSampleWorkplace{"KIT", "Kitchen", 0xDFEBFF, "Lunch for 120"},
                 TSampleWorkplace{"BAR", "Bar", 0xFFE8DF, ""},
                 TSampleWorkplace{"SRV", "Service", 0xDFFFE3, "Terrace open"},
                 TSampleWorkplace{"DEL", "Delivery", 0xFFDFEF, ""}}) {
            nextWorkplace = w;
            places.push_back(workplaces.AddWorkplace());
        }
        const TDate today = Today();
        const int plan[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {5, 2}, {6, 2}, {7, 3}, {1, 3}};
        for (const auto& pair : plan)
            jobs.AddJob(today, people[static_cast<size_t>(pair[0])], places[static_cast<size_t>(pair[1])]);
        // The rest of the month: each worker at his usual workplace on most
        // days, the first one also at the bar every third day.
        const QDate month = OleToDate(today);
        for (int d = 1; d <= month.daysInMonth(); ++d) {
            const TDate day = DateToOle(QDate(month.year(), month.month(), d));
            if (day == today)
                continue;
            std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
            for (size_t i = 0; i < people.size(); ++i)
                if ((i + static_cast<size_t>(d)) % 4 != 0)
                    pairs.emplace_back(people[i], places[i % places.size()]);
            if (d % 3 == 0)
                pairs.emplace_back(people[0], places[1]);
            jobs.AddJobs(day, pairs);
        }

        TDataManPrint printing(nullptr);
        TDataManPrint::SetInstance(&printing);
        TScheduleStores scheduleStores;
        InstallScreenFactories();
        {
            TProgramWindow program;
            TOrvelAppForm& window = program.Window;
            window.resize(900, 640);
            window.show();
            // Each picture once the screen has settled.
            const auto save = [&window, &code](const QString& AFileName) {
                QEventLoop settle;
                QTimer::singleShot(300, &settle, &QEventLoop::quit);
                settle.exec();
                if (!window.grab().save(AFileName, "PNG")) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(AFileName));
                    code = 1;
                }
            };
            save(out);
            if (!workerOut.isEmpty()) {
                window.ShowPersonSchedule(people[0]->ID(), today);
                program.Persons.SetDateDaysKind(ddkMonth);
                save(workerOut);
                window.ShowWorkplaceSchedule(places[0]->ID(), today);
                program.Workplaces.SetDateDaysKind(ddkMonth);
                save(workplaceOut);
            }
        }
        UninstallScreenFactories();
        TDataManPrint::SetInstance(nullptr);
    }
    return code;
}
