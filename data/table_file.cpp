#include "data/table_file.h"

#include "data/table_schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <cstdio>
#include <utility>
#include <vector>

#include <sys/vfs.h>
#include <unistd.h>

namespace {
std::atomic<int> GFileConnectionCounter{0};

// A private connection that goes away with the object.
class TFileConnection {
public:
    explicit TFileConnection(const QString& AFileName)
        : FName(QStringLiteral("plenvo-file-%1").arg(++GFileConnectionCounter))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        db.setDatabaseName(AFileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
        FOpen = db.open();
        if (FOpen)
            SetUpConnection(db);
    }
    ~TFileConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(FName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(FName);
    }
    bool IsOpen() const { return FOpen; }
    QSqlDatabase Database() const { return QSqlDatabase::database(FName, false); }
    bool Exec(const QString& ASql, const QVariantList& ABinds = {})
    {
        QSqlQuery query(Database());
        bool ok = query.prepare(ASql);
        for (const QVariant& value : ABinds)
            query.addBindValue(value);
        ok = ok && query.exec();
        if (!ok && FError.isEmpty())
            FError = query.lastError().text();
        return ok;
    }
    // The first integer the query gives; -1 when it gives none.
    qint64 Number(const QString& ASql)
    {
        QSqlQuery query(Database());
        if (query.exec(ASql) && query.next())
            return query.value(0).toLongLong();
        if (FError.isEmpty())
            FError = query.lastError().text();
        return -1;
    }
    // Why the first failed statement failed.
    QString Error() const { return FError.isEmpty() ? Database().lastError().text() : FError; }

private:
    QString FName;
    QString FError;
    bool FOpen = false;
};

// A new file is written in the journal mode it will be used in from the
// start, so opening it never rewrites its header.
bool StartLogging(TFileConnection& AConnection, const QString& AFileName)
{
    const QString mode = JournalModeFor(AFileName);
    QSqlQuery query(AConnection.Database());
    return query.exec(QStringLiteral("PRAGMA main.journal_mode=%1").arg(mode)) && query.next()
           && query.value(0).toString().compare(mode, Qt::CaseInsensitive) == 0;
}

std::function<bool(const QString&)>& NetworkProbe()
{
    static std::function<bool(const QString&)> probe;
    return probe;
}

QString TempName(const QString& AFileName)
{
    const QString temp = AFileName + QStringLiteral(".new");
    RemoveTableFile(temp);
    return temp;
}

// A table file is replaced whole: the journal and log of the file it replaces
// would otherwise be played onto the new content at the next open.
bool RenameOver(const QString& ASource, const QString& ATarget)
{
    if (!RemoveSidecarFiles(ATarget))
        return false;
    if (std::rename(QFile::encodeName(ASource).constData(), QFile::encodeName(ATarget).constData()) != 0)
        return false;
    return SyncPath(QFileInfo(ATarget).absolutePath());
}

quint32 BigEndian(const QByteArray& AData, int AOffset, int ASize)
{
    quint32 value = 0;
    for (int i = 0; i < ASize; ++i)
        value = (value << 8) | static_cast<quint8>(AData[AOffset + i]);
    return value;
}
} // namespace

bool RemoveSidecarFiles(const QString& AFileName)
{
    // The log and the journal before the index of the log.
    bool ok = true;
    bool removed = false;
    for (const char* suffix : {"-wal", "-journal", "-shm"}) {
        const QString sidecar = AFileName + QLatin1String(suffix);
        const QFileInfo info(sidecar);
        if (info.exists() || info.isSymLink()) {
            ok = QFile::remove(sidecar) && ok;
            removed = true;
        }
    }
    // Gone for good before anything takes the file's place: a log that came
    // back after a power cut would be replayed onto the new content.
    return (!removed || SyncPath(QFileInfo(AFileName).absolutePath())) && ok;
}

bool RemoveTableFile(const QString& AFileName)
{
    const bool removed = !QFileInfo::exists(AFileName) || QFile::remove(AFileName);
    return RemoveSidecarFiles(AFileName) && removed;
}

bool IsNetworkFileSystemType(long AType)
{
    switch (static_cast<unsigned long>(AType) & 0xFFFFFFFFul) {
    case 0x6969ul: // NFS
    case 0x517Bul: // SMB
    case 0xFF534D42ul: // CIFS
    case 0xFE534D42ul: // SMB2
    case 0x5346414Ful: // AFS
    case 0x6B414653ul: // kAFS
    case 0x01021997ul: // 9P
    case 0x73757245ul: // Coda
    case 0x564C4D53ul: // NCP
        return true;
    default:
        return false;
    }
}

bool OnNetworkFileSystem(const QString& AFileName)
{
    const QString folder = QFileInfo(AFileName).absolutePath();
    if (NetworkProbe())
        return NetworkProbe()(folder);
    struct statfs info {};
    return ::statfs(QFile::encodeName(folder).constData(), &info) == 0 && IsNetworkFileSystemType(info.f_type);
}

void SetNetworkFileSystemProbe(std::function<bool(const QString&)> AProbe)
{
    NetworkProbe() = std::move(AProbe);
}

QString JournalModeFor(const QString& AFileName)
{
    return OnNetworkFileSystem(AFileName) ? QStringLiteral("delete") : QStringLiteral("wal");
}

bool IsLoggedFile(const QString& AFileName)
{
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) && file.read(20).mid(18, 1) == QByteArrayLiteral("\x02");
}

bool LooksLikeSQLiteFile(const QString& AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        return true; // unreadable is told apart later, not as damage
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    quint32 pageSize = BigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pages = BigEndian(header, 28, 4);
    const bool sizeValid = pages > 0 && BigEndian(header, 24, 4) == BigEndian(header, 92, 4);
    // A file in write-ahead logging may lack pages its log still holds (a
    // checkpoint cut short by a power cut): SQLite reads them from the log.
    const bool logged = header[18] == '\x02' && QFileInfo(AFileName + QStringLiteral("-wal")).size() > 0;
    return !sizeValid || logged || static_cast<qint64>(pages) * pageSize <= file.size();
}

namespace {
// Cuts the copied texts as a write through the table cuts them: in UTF-16
// units between characters (SQLite's substr would count code points).
bool CutStoredTexts(QSqlDatabase& ADatabase, const TFieldDefs& ADefs)
{
    for (const TFieldDef& def : ADefs) {
        if (def.DataType != ftString || def.Size <= 0)
            continue;
        const QString column = SqlQuotedName(def.Name);
        // A text of more UTF-16 units than the size has more bytes than that.
        QSqlQuery read(ADatabase);
        if (!read.exec(QStringLiteral("SELECT rowid, %1 FROM main.Data WHERE length(CAST(%1 AS BLOB)) > %2")
                           .arg(column)
                           .arg(def.Size)))
            return false;
        std::vector<std::pair<QVariant, QString>> cuts;
        while (read.next()) {
            const QString text = read.value(1).toString();
            const QString stored = StoredFieldText(def, text);
            if (stored != text)
                cuts.emplace_back(read.value(0), stored);
        }
        read.finish();
        QSqlQuery write(ADatabase);
        if (!cuts.empty() && !write.prepare(QStringLiteral("UPDATE main.Data SET %1 = ? WHERE rowid = ?").arg(column)))
            return false;
        for (const auto& [rowid, stored] : cuts) {
            write.addBindValue(stored);
            write.addBindValue(rowid);
            if (!write.exec())
                return false;
        }
    }
    return true;
}
} // namespace

bool WriteEmptyTableFile(const QString& AFileName, const TFieldDefs& ADefs)
{
    const QString temp = TempName(AFileName);
    bool ok = false;
    {
        TFileConnection connection(temp);
        if (connection.IsOpen()) {
            QSqlDatabase db = connection.Database();
            ok = StartLogging(connection, AFileName) && connection.Exec(QStringLiteral("BEGIN"))
                 && CreateTableSchema(db, ADefs) && connection.Exec(QStringLiteral("COMMIT"));
        }
    }
    ok = ok && SyncPath(temp) && RenameOver(temp, AFileName);
    if (!ok)
        RemoveTableFile(temp);
    return ok;
}

bool RebuildTableFile(const QString& AFileName, const TFieldDefs& AOldDefs, const TFieldDefs& ANewDefs, QString* AError)
{
    const QString backup = AFileName + QStringLiteral(".bak");
    if (!SafeCopyFile(AFileName, backup)) {
        if (AError)
            *AError = QStringLiteral("its backup copy \"%1\" could not be written.").arg(QFileInfo(backup).fileName());
        return false;
    }
    const QString temp = TempName(AFileName);
    bool ok = false;
    QString error;
    {
        TFileConnection connection(temp);
        if (connection.IsOpen()) {
            QSqlDatabase db = connection.Database();
            ok = StartLogging(connection, AFileName)
                 && connection.Exec(QStringLiteral("ATTACH DATABASE ? AS old"), {AFileName})
                 && connection.Exec(QStringLiteral("BEGIN")) && CreateTableSchema(db, ANewDefs);
            // Fields are matched by name as the engine finds them (ignoring case),
            // so a field renamed only in letter case keeps its values.
            QStringList targets, sources;
            for (const TFieldDef& def : ANewDefs) {
                const auto old = std::find_if(AOldDefs.begin(), AOldDefs.end(),
                    [&](const TFieldDef& d) { return d.Name.compare(def.Name, Qt::CaseInsensitive) == 0; });
                if (old == AOldDefs.end())
                    continue;
                const QString source = QStringLiteral("old.Data.") + SqlQuotedName(old->Name);
                targets << SqlQuotedName(def.Name);
                if (def.DataType == ftString)
                    sources << QStringLiteral("CAST(%1 AS TEXT)").arg(source);
                else if (def.DataType == ftAutoInc && old->DataType == ftAutoInc)
                    sources << source;
                else
                    sources << QStringLiteral("CAST(%1 AS INTEGER)").arg(source);
            }
            if (ok && !targets.isEmpty())
                ok = connection.Exec(
                    QStringLiteral("INSERT INTO main.Data (%1) SELECT %2 FROM old.Data ORDER BY old.Data.rowid")
                        .arg(targets.join(QStringLiteral(", ")), sources.join(QStringLiteral(", "))));
            ok = ok && CutStoredTexts(db, ANewDefs);
            // The counter never goes back: the highest ID ever given stays given.
            if (ok) {
                qint64 oldSeq = 0;
                QSqlQuery query(db);
                if (query.exec(QStringLiteral("SELECT seq FROM old.sqlite_sequence WHERE name = 'Data'"))
                    && query.next())
                    oldSeq = query.value(0).toLongLong();
                query.finish();
                if (oldSeq > 0
                    && query.exec(
                        QStringLiteral("SELECT count(*) FROM main.sqlite_master WHERE name = 'sqlite_sequence'"))
                    && query.next() && query.value(0).toInt() > 0) {
                    query.finish();
                    ok = connection.Exec(QStringLiteral("DELETE FROM main.sqlite_sequence WHERE name = 'Data'"))
                         && connection.Exec(
                             QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) "
                                            "SELECT 'Data', max(?, coalesce((SELECT max(rowid) FROM main.Data), 0))"),
                             {oldSeq});
                }
            }
            ok = ok && connection.Exec(QStringLiteral("COMMIT"));
            if (!ok)
                error = connection.Error();
            connection.Exec(QStringLiteral("DETACH DATABASE old"));
        } else {
            error = connection.Error();
        }
    }
    if (ok && !(SyncPath(temp) && RenameOver(temp, AFileName))) {
        ok = false;
        error = QStringLiteral("the new file could not take its place");
    }
    if (!ok) {
        RemoveTableFile(temp);
        if (AError)
            *AError = QStringLiteral("the new file could not be written (%1).").arg(error);
    }
    return ok;
}

QString WriteCompactCopy(const QString& AFileName, qint64& ARows)
{
    ARows = -1;
    if (!QFileInfo(AFileName).isFile())
        return QString();
    const QString temp = TempName(AFileName);
    bool ok = false;
    {
        TFileConnection connection(AFileName);
        ok = connection.IsOpen() && (ARows = connection.Number(QStringLiteral("SELECT count(*) FROM Data"))) >= 0
             && connection.Exec(QStringLiteral("VACUUM INTO ?"), {temp});
    }
    if (!ok) {
        RemoveTableFile(temp);
        return QString();
    }
    return temp;
}

bool WriteBackupCopy(const QSqlDatabase& ADatabase, const QString& ATarget)
{
    const QString temp = TempName(ATarget);
    QSqlQuery query(ADatabase);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(temp);
    const bool written = query.exec();
    query.finish();
    if (!written) {
        RemoveTableFile(temp);
        return false;
    }
    return ReplaceWithCopy(temp, ATarget);
}

bool ReplaceWithCopy(const QString& ACopy, const QString& AFileName)
{
    const bool ok = SyncPath(ACopy) && RenameOver(ACopy, AFileName);
    if (!ok)
        RemoveTableFile(ACopy);
    return ok;
}

namespace {
// Copies ASource beside ATarget under a temporary name and onto the disk;
// that name, or empty on failure.
QString CopyBeside(const QString& ASource, const QString& ATarget)
{
    const QString temp = ATarget + QStringLiteral(".tmp");
    QFile::remove(temp);
    bool ok = QFile::copy(ASource, temp);
    if (ok) {
        QFile(temp).setPermissions(QFile(temp).permissions() | QFileDevice::WriteOwner);
        ok = SyncPath(temp);
    }
    if (!ok)
        QFile::remove(temp);
    return ok ? temp : QString();
}
} // namespace

bool SafeCopyFile(const QString& ASource, const QString& ATarget)
{
    const QString temp = CopyBeside(ASource, ATarget);
    if (temp.isEmpty() || !RenameOver(temp, ATarget)) {
        QFile::remove(temp);
        return false;
    }
    // A log left beside the source (a run that ended without closing it)
    // holds changes that belong to the file: it goes along, after the file,
    // so the target never holds a log without its own file.
    const QString log = ASource + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0)
        return true;
    const QString targetLog = ATarget + QStringLiteral("-wal");
    const QString logTemp = CopyBeside(log, targetLog);
    if (logTemp.isEmpty() || !RenameOver(logTemp, targetLog)) {
        QFile::remove(logTemp);
        return false;
    }
    return true;
}

QString SetFileAside(const QString& AFileName)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QString target = AFileName + QLatin1Char('.')
                               + QStringLiteral("%1")
                                     .arg(QRandomGenerator::global()->bounded(0x10000), 4, 16, QLatin1Char('0'))
                                     .toUpper();
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        // link + unlink never replaces an existing name; folders are renamed.
        bool moved = false;
        if (QFileInfo(AFileName).isDir())
            moved = QDir().rename(AFileName, target);
        else
            moved = ::link(QFile::encodeName(AFileName).constData(), QFile::encodeName(target).constData()) == 0
                    && ::unlink(QFile::encodeName(AFileName).constData()) == 0;
        if (!moved)
            return QString();
        for (const char* suffix : {"-wal", "-journal"}) {
            const QString companion = AFileName + QLatin1String(suffix);
            if (QFileInfo::exists(companion))
                QFile::rename(companion, target + QLatin1String(suffix));
        }
        QFile::remove(AFileName + QStringLiteral("-shm"));
        SyncPath(QFileInfo(AFileName).absolutePath());
        return target;
    }
    return QString();
}
