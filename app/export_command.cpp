#include "app/export_command.h"

#include "app/start_location.h"
#include "core/program_info.h"
#include "data/person_man.h"
#include "data/pg/pg_connection.h"
#include "data/pg/pg_schema.h"
#include "data/plan_tables.h"
#include "data/table.h"
#include "data/table_schema.h"
#include "data/workplace_man.h"
#include "schedule/export/plan_export.h"
#include "setup/setup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>

#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// A failure: its exit code and the one line said about it.
struct TFailure {
    TExportExitCode Code = eecDone;
    QString Message;
};

const char* const CommandOptions[] = {"--export", "--from", "--to", "--worker", "--workplace", "--data-dir", "--output",
    "--help", "--help-all", "--version", "-h", "-?", "-v"};

void PrintLine(std::FILE* AStream, const QString& AText)
{
    const QByteArray text = AText.toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), AStream);
    std::fputc('\n', AStream);
    std::fflush(AStream);
}

// One line, whatever a lower layer's message holds.
QString OneLine(const QString& AText)
{
    return QString(AText).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString HelpDescription()
{
    return QStringLiteral("Without --export it opens the program's window, on the location the settings\n"
                          "name or, for that run only, the one --server or --folder gives.\n"
                          "\n"
                          "With --export it writes the plan of the days --from to --to as CSV (a\n"
                          "spreadsheet) or as an iCalendar file, without opening a window, from the data\n"
                          "folder --data-dir gives, the server --server gives, or else the location the\n"
                          "settings name. The plan is only read.\n"
                          "\n"
                          "Exit codes:\n"
                          "  0  written\n"
                          "  1  wrong usage (unknown or missing option, unknown format)\n"
                          "  2  a date that is not a valid yyyy-MM-dd\n"
                          "  3  --to before --from, or a range longer than ten years\n"
                          "  4  no such worker or workplace, or a name that matches more than one\n"
                          "  5  the data folder or a table file is missing, damaged or unreadable, or the\n"
                          "     server cannot be reached or holds no plan\n"
                          "  6  the output file cannot be written");
}

bool ParseDate(const QString& AText, QDate& ADate)
{
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!form.match(AText).hasMatch())
        return false;
    ADate = QDate::fromString(AText, QStringLiteral("yyyy-MM-dd"));
    return ADate.isValid();
}

// What a connection that only reads a file in write-ahead logging leaves
// behind: an empty log and its index. Only a connection that may write
// removes them, as the file's last user; SQLite's locks keep it from doing
// so while the program has the file open. It writes nothing to the file.
void RemoveReaderLog(const QString& AFileName)
{
    const QString log = AFileName + QStringLiteral("-wal");
    if (!QFileInfo::exists(log) || QFileInfo(log).size() != 0)
        return;
    const QString connection = QStringLiteral("plenvo-export-log");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        // mode=rw: a file removed meanwhile is not made anew.
        db.setDatabaseName(
            QStringLiteral("file:%1?mode=rw").arg(QString::fromLatin1(QUrl::toPercentEncoding(AFileName, "/"))));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

// Where the plan is read: a data folder, or the database of a server.
struct TPlanSource {
    QString Folder;
    QString ConnInfo;
    bool OnServer() const { return !ConnInfo.isEmpty(); }
};

// Why the server's plan cannot be read, in the server's words; empty when it
// can. A database without the plan's tables is refused here: opening a table
// there would make them, and an export writes nothing.
QString ServerRefusal(const QString& AConnInfo)
{
    TPgConnection connection;
    if (const QString error = connection.Open(AConnInfo); !error.isEmpty())
        return QStringLiteral("cannot connect to the server: %1").arg(error);
    QString error;
    const int version = PgStoredSchemaVersion(connection.Database(), &error);
    if (version < 0)
        return QStringLiteral("cannot read the server's plan: %1").arg(error);
    if (version == 0)
        return QStringLiteral("the server's database holds no Plenvo plan");
    return QString();
}

// A table of the plan opened only for reading, never upgraded or rebuilt:
// the program's own start may do that, an export may not. Closed when it
// goes, a folder left as it was found.
class TReadTable {
public:
    TReadTable(const TPlanSource& ASource, const QString& AFileName) : FTable(AFileName)
    {
        if (const TPlanTable* plan = PlanTableOf(AFileName))
            FTable.SetFieldDefs(plan->FieldDefs());
        FTable.SetReadOnly(true);
        if (ASource.OnServer()) {
            FTable.SetServerTable(ASource.ConnInfo, AFileName);
            FWhat = QStringLiteral("the server's table %1").arg(FTable.SqlTable());
            return;
        }
        const QString file = QDir(ASource.Folder).filePath(AFileName);
        FTable.SetFileName(file);
        FWhat = QStringLiteral("the table file \"%1\"").arg(file);
        FHadLog = QFileInfo::exists(file + QStringLiteral("-wal")) || QFileInfo::exists(file + QStringLiteral("-shm"));
    }
    ~TReadTable()
    {
        const bool opened = FTable.Active();
        FTable.Close();
        if (opened && !FTable.OnServer() && !FHadLog)
            RemoveReaderLog(FTable.FileName());
    }
    TReadTable(const TReadTable&) = delete;
    TReadTable& operator=(const TReadTable&) = delete;

    // False with AFailure when the table cannot be read or lacks one of AFields.
    bool Open(const QStringList& AFields, TFailure& AFailure)
    {
        const TOpenResult result = FTable.Open();
        if (result != orOpened && FTable.OnServer()) {
            AFailure = {eecDataFolder, QStringLiteral("%1 cannot be read: %2").arg(FWhat, FTable.LastError())};
            return false;
        }
        switch (result) {
        case orOpened:
            break;
        case orMissing:
            AFailure = {eecDataFolder, QStringLiteral("%1 is missing").arg(FWhat)};
            return false;
        case orDamaged:
            AFailure = {eecDataFolder, QStringLiteral("%1 is damaged or not a Plenvo table").arg(FWhat)};
            return false;
        case orLocked:
            AFailure = {eecDataFolder, QStringLiteral("%1 cannot be read (locked or no permission)").arg(FWhat)};
            return false;
        }
        for (const QString& field : AFields)
            if (FTable.FieldIndex(field) < 0) {
                AFailure = {eecDataFolder, QStringLiteral("%1 is damaged: it has no field %2").arg(FWhat, field)};
                return false;
            }
        return true;
    }
    TTable& Table() { return FTable; }
    // The table as a message names it.
    const QString& What() const { return FWhat; }

private:
    TTable FTable;
    QString FWhat;
    bool FHadLog = false;
};

struct TEntry {
    int ID = 0;
    QString Name;
    QString Shortcut;
};

// The register's entries, read as the register reads them.
template <class TItem>
bool ReadEntries(TTable& ATable, std::vector<TEntry>& AEntries)
{
    ATable.SetFiltered(false);
    bool read = ATable.First();
    while (read && !ATable.Eof()) {
        auto item = TSCObject::Create<TItem>();
        if (item->LoadFromDB(ATable) && IsUsableID(item->ID())) {
            TEntry entry{item->ID(), item->Name(), QString()};
            if constexpr (std::is_same_v<TItem, TWorkplace>)
                entry.Shortcut = item->Shortcut();
            AEntries.push_back(entry);
        }
        read = ATable.Next();
    }
    return read && !ATable.WalkBroken();
}

// The one entry AText names: all digits are an ID, else a name (or a
// workplace's shortcut) ignoring case.
bool FindEntry(
    const std::vector<TEntry>& AEntries, const QString& AText, const QString& AWhat, TEntry& AFound, TFailure& AFailure)
{
    const QString text = TrimBlanks(AText);
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    std::vector<const TEntry*> matches;
    if (digits.match(text).hasMatch()) {
        bool ok = false;
        const int id = text.toInt(&ok);
        for (const TEntry& entry : AEntries)
            if (ok && entry.ID == id)
                matches.push_back(&entry);
        if (matches.empty()) {
            AFailure = {eecUnknownName, QStringLiteral("no %1 with the ID %2 in the register").arg(AWhat, text)};
            return false;
        }
    } else {
        for (const TEntry& entry : AEntries)
            if (SameTextIgnoringCase(entry.Name, text)
                || (!entry.Shortcut.isEmpty() && SameTextIgnoringCase(entry.Shortcut, text)))
                matches.push_back(&entry);
        if (matches.empty()) {
            AFailure = {eecUnknownName, QStringLiteral("no %1 \"%2\" in the register").arg(AWhat, text)};
            return false;
        }
    }
    if (matches.size() > 1) {
        QStringList ids;
        for (const TEntry* entry : matches)
            ids << QString::number(entry->ID);
        AFailure = {eecUnknownName, QStringLiteral("\"%1\" names more than one %2 (IDs %3): give the ID")
                                        .arg(text, AWhat, ids.join(QStringLiteral(", ")))};
        return false;
    }
    AFound = *matches.front();
    return true;
}

bool WriteOutput(const QString& AOutput, const QByteArray& AData, TFailure& AFailure)
{
    if (AOutput == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(AData) != AData.size() || !out.flush()) {
            AFailure = {eecOutput, QStringLiteral("cannot write to standard output: %1").arg(out.errorString())};
            return false;
        }
        return true;
    }
    // Written beside and renamed into place: a failure leaves no half file.
    QSaveFile out(AOutput);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(AData) != AData.size() || !out.commit()) {
        AFailure = {eecOutput, QStringLiteral("cannot write \"%1\": %2").arg(AOutput, out.errorString())};
        return false;
    }
    return true;
}

TFailure Export(const QCommandLineParser& AParser)
{
    const QString format = AParser.value(QStringLiteral("export")).toLower();
    if (format != QLatin1String("csv") && format != QLatin1String("ics"))
        return {eecUsage,
            QStringLiteral("unknown format \"%1\": give csv or ics").arg(AParser.value(QStringLiteral("export")))};
    for (const char* required : {"from", "to", "output"})
        if (!AParser.isSet(QLatin1String(required)))
            return {eecUsage, QStringLiteral("--%1 is missing (see --help)").arg(QLatin1String(required))};

    QDate from;
    QDate to;
    if (!ParseDate(AParser.value(QStringLiteral("from")), from))
        return {eecBadDate, QStringLiteral("--from \"%1\" is not a date of the form yyyy-MM-dd")
                                .arg(AParser.value(QStringLiteral("from")))};
    if (!ParseDate(AParser.value(QStringLiteral("to")), to))
        return {eecBadDate, QStringLiteral("--to \"%1\" is not a date of the form yyyy-MM-dd")
                                .arg(AParser.value(QStringLiteral("to")))};
    if (to < from)
        return {eecBadRange,
            QStringLiteral("--to %1 lies before --from %2").arg(to.toString(Qt::ISODate), from.toString(Qt::ISODate))};
    if (to >= from.addYears(10))
        return {eecBadRange, QStringLiteral("the range %1 to %2 is longer than ten years")
                                 .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate))};

    TPlanSource source;
    if (AParser.isSet(QStringLiteral("server"))) {
        if (AParser.isSet(QStringLiteral("data-dir")))
            return {eecUsage, QStringLiteral("--server and --data-dir cannot both be given")};
        source.ConnInfo = AParser.value(QStringLiteral("server"));
        if (const QString refusal = PgConnInfoRefusal(source.ConnInfo); !refusal.isEmpty())
            return {eecUsage, QStringLiteral("--server: %1").arg(refusal)};
    } else if (AParser.isSet(QStringLiteral("data-dir"))) {
        source.Folder = QDir::current().absoluteFilePath(AParser.value(QStringLiteral("data-dir")));
    } else {
        // The location the settings name, a folder resolved without making it.
        TSetupData data(nullptr);
        data.Load();
        if (data.DataDirKind() == sddkServer) {
            source.ConnInfo = data.ServerConnInfo();
            if (const QString refusal = PgConnInfoRefusal(source.ConnInfo); !refusal.isEmpty())
                return {eecDataFolder, QStringLiteral("the settings' server: %1").arg(refusal)};
        } else {
            source.Folder = data.GetDataDirOfKind(data.DataDirKind());
        }
    }
    if (source.OnServer()) {
        if (const QString refusal = ServerRefusal(source.ConnInfo); !refusal.isEmpty())
            return {eecDataFolder, refusal};
    } else {
        source.Folder = QDir::cleanPath(source.Folder);
        const QFileInfo folderInfo(source.Folder);
        if (!folderInfo.exists())
            return {eecDataFolder, QStringLiteral("the data folder \"%1\" does not exist").arg(source.Folder)};
        if (!folderInfo.isDir())
            return {eecDataFolder, QStringLiteral("the data folder \"%1\" is not a folder").arg(source.Folder)};
    }

    TFailure failure;
    TReadTable workerTable(source, QStringLiteral("Workers.cds"));
    TReadTable workplaceTable(source, QStringLiteral("Workplaces.cds"));
    TReadTable jobTable(source, QStringLiteral("Jobs.cds"));
    if (!workerTable.Open({QStringLiteral("ID"), QStringLiteral("Name")}, failure)
        || !workplaceTable.Open({QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Shortcut")}, failure)
        || !jobTable.Open({QStringLiteral("Date"), QStringLiteral("PersonID"), QStringLiteral("PersonName"),
                              QStringLiteral("WorkplaceID"), QStringLiteral("WorkplaceShortcut"),
                              QStringLiteral("WorkplaceName"), QStringLiteral("Note")},
            failure))
        return failure;
    TTable& workers = workerTable.Table();
    TTable& workplaces = workplaceTable.Table();
    TTable& jobs = jobTable.Table();

    TExportQuery query{DateToOle(from), DateToOle(to), 0, 0};
    QString calendarName = ProgramName();
    bool forWorker = true;
    if (AParser.isSet(QStringLiteral("worker"))) {
        std::vector<TEntry> entries;
        if (!ReadEntries<TPerson>(workers, entries))
            return {eecDataFolder, QStringLiteral("%1 cannot be read to its end").arg(workerTable.What())};
        TEntry worker;
        if (!FindEntry(entries, AParser.value(QStringLiteral("worker")), QStringLiteral("worker"), worker, failure))
            return failure;
        query.PersonID = worker.ID;
        calendarName = worker.Name;
    }
    if (AParser.isSet(QStringLiteral("workplace"))) {
        std::vector<TEntry> entries;
        if (!ReadEntries<TWorkplace>(workplaces, entries))
            return {eecDataFolder, QStringLiteral("%1 cannot be read to its end").arg(workplaceTable.What())};
        TEntry workplace;
        if (!FindEntry(
                entries, AParser.value(QStringLiteral("workplace")), QStringLiteral("workplace"), workplace, failure))
            return failure;
        query.WorkplaceID = workplace.ID;
        if (query.PersonID > 0) {
            calendarName += QStringLiteral(" – ") + workplace.Name;
        } else {
            calendarName = workplace.Name;
            forWorker = false;
        }
    }

    std::vector<TExportRow> rows;
    QString error;
    if (!ReadExportRows(workers, workplaces, jobs, query, rows, error))
        return {eecDataFolder, error};
    const QByteArray data = format == QLatin1String("csv")
                                ? ExportCsv(rows)
                                : ExportICalendar(rows, calendarName, forWorker,
                                    source.OnServer() ? ServerIdentity(source.ConnInfo) : FolderIdentity(source.Folder),
                                    QDateTime::currentDateTimeUtc());
    if (!WriteOutput(AParser.value(QStringLiteral("output")), data, failure))
        return failure;
    return {};
}

} // namespace

bool IsExportCommandLine(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        for (const char* option : CommandOptions) {
            const size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 && (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

int RunExportCommand(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(ProgramName());
    QCoreApplication::setOrganizationName(ProgramCompanyName());
    QCoreApplication::setApplicationVersion(ProgramVersion());

    QCommandLineParser parser;
    parser.setApplicationDescription(HelpDescription());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("export"), QStringLiteral("The file format: csv or ics."), QStringLiteral("format")},
        {QStringLiteral("from"), QStringLiteral("The first day, yyyy-MM-dd."), QStringLiteral("date")},
        {QStringLiteral("to"), QStringLiteral("The last day, yyyy-MM-dd (at most ten years after the first)."),
            QStringLiteral("date")},
        {QStringLiteral("worker"), QStringLiteral("Only this worker: a name (any letter case) or an ID."),
            QStringLiteral("name|ID")},
        {QStringLiteral("workplace"),
            QStringLiteral("Only this workplace: a name or shortcut (any letter case) or an ID."),
            QStringLiteral("name|ID")},
        {QStringLiteral("data-dir"),
            QStringLiteral("The data folder; without it or --server, the location the settings name."),
            QStringLiteral("folder")},
        {QStringLiteral("output"), QStringLiteral("The file to write; - for standard output."), QStringLiteral("file")},
    });
    AddLocationOptions(parser);

    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintLine(stderr, QStringLiteral("%1: %2 (see --help)").arg(name, OneLine(parser.errorText())));
        return eecUsage;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        const QByteArray text = parser.helpText().toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fflush(stdout);
        return eecDone;
    }
    if (parser.isSet(version)) {
        PrintLine(stdout, QStringLiteral("%1 %2").arg(ProgramName(), ProgramVersion()));
        return eecDone;
    }
    if (!parser.positionalArguments().isEmpty()) {
        PrintLine(stderr, QStringLiteral("%1: unexpected argument \"%2\" (see --help)")
                              .arg(name, parser.positionalArguments().first()));
        return eecUsage;
    }
    if (parser.isSet(QStringLiteral("folder"))) {
        PrintLine(stderr,
            QStringLiteral("%1: --folder opens the window; the export reads --data-dir (see --help)").arg(name));
        return eecUsage;
    }
    if (!parser.isSet(QStringLiteral("export"))) {
        PrintLine(stderr, QStringLiteral("%1: --export is missing (see --help)").arg(name));
        return eecUsage;
    }
    const TFailure failure = Export(parser);
    if (failure.Code != eecDone)
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, OneLine(failure.Message)));
    return failure.Code;
}
