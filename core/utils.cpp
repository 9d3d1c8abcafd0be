#include "core/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

#include <fcntl.h>
#include <unistd.h>

QString TrimChar(const QString& AText, QChar AChar)
{
    qsizetype first = 0;
    qsizetype last = AText.size() - 1;
    while (first <= last && AText[first] == AChar)
        ++first;
    while (last >= first && AText[last] == AChar)
        --last;
    return AText.mid(first, last - first + 1);
}

QString TrimBlanks(const QString& AText)
{
    return TrimChar(TrimChar(TrimChar(AText, QLatin1Char(' ')), QLatin1Char('\t')), QLatin1Char(' '));
}

QString CutText(const QString& AText, qsizetype AMaxLength)
{
    if (AText.size() <= AMaxLength)
        return AText;
    if (AMaxLength <= 0)
        return QString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, AText);
    finder.setPosition(AMaxLength);
    const qsizetype end = finder.isAtBoundary() ? AMaxLength : finder.toPreviousBoundary();
    return AText.left(std::max<qsizetype>(end, 0));
}

QString CapitalizeFirst(const QString& AText)
{
    if (AText.isEmpty())
        return AText;
    return QLocale().toUpper(AText.left(1)) + AText.mid(1);
}

QString RemoveChar(const QString& AText, QChar AChar)
{
    QString result = AText;
    result.remove(AChar);
    return result;
}

int LastPos(const QString& ASubText, const QString& AText)
{
    if (ASubText.isEmpty())
        return 0;
    return static_cast<int>(AText.lastIndexOf(ASubText)) + 1;
}

QString ReplaceAllText(const QString& AText, const QString& AOld, const QString& ANew)
{
    if (AOld.isEmpty())
        return AText;
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = AText.indexOf(AOld, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        result += AText.mid(from, at - from) + ANew;
        from = at + AOld.size();
    }
    return result + AText.mid(from);
}

int CompareInt(qint64 A, qint64 B)
{
    return A < B ? -1 : (A > B ? 1 : 0);
}

int ClampInt(int AMin, int AMax, int AValue)
{
    if (AValue < AMin)
        return AMin;
    if (AValue > AMax)
        return AMax;
    return AValue;
}

QString UpperText(const QString& AText)
{
    return QLocale().toUpper(AText);
}

bool SameTextIgnoringCase(const QString& A, const QString& B)
{
    return UpperText(A) == UpperText(B);
}

QString IncludeBackslash(const QString& APath)
{
    if (APath.isEmpty() || APath.endsWith(QLatin1Char('/')))
        return APath;
    return APath + QLatin1Char('/');
}

QString ExcludeBackslash(const QString& APath)
{
    if (APath.size() < 4 || !APath.endsWith(QLatin1Char('/')))
        return APath;
    return APath.left(APath.size() - 1);
}

QString RemoveFileExt(const QString& AFileName)
{
    const qsizetype dot = AFileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? AFileName : AFileName.left(dot);
}

bool FolderExists(const QString& APath)
{
    if (APath.isEmpty())
        return false;
    return QFileInfo(APath).isDir();
}

bool ForceFolders(const QString& APath)
{
    if (APath.isEmpty())
        return true;
    // Walk from the left, one level at a time; the result is that of the last
    // level, so an existing folder gives false.
    bool result = false;
    const QString path = IncludeBackslash(APath);
    qsizetype from = 1;
    for (;;) {
        const qsizetype slash = path.indexOf(QLatin1Char('/'), from);
        if (slash < 0)
            break;
        const QString level = path.left(slash);
        result = !QFileInfo(level).exists() && QDir().mkdir(level);
        if (result)
            SyncPath(QFileInfo(level).absolutePath());
        from = slash + 1;
    }
    return result;
}

bool SyncPath(const QString& APath)
{
    const int fd = ::open(QFile::encodeName(APath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

namespace {
std::function<QString(int)>& SpecialFolderProvider()
{
    static std::function<QString(int)> provider;
    return provider;
}

QString SystemSpecialFolder(int AFolderId)
{
    QStandardPaths::StandardLocation location;
    switch (AFolderId) {
    case CSIDL_PERSONAL:
        location = QStandardPaths::DocumentsLocation;
        break;
    case CSIDL_APPDATA:
        location = QStandardPaths::GenericDataLocation;
        break;
    case CSIDL_COMMON_DOCUMENTS:
        location = QStandardPaths::PublicShareLocation;
        break;
    default:
        return QString();
    }
    return QStandardPaths::writableLocation(location);
}
} // namespace

QString GetSpecialFolder(int AFolderId)
{
    if (SpecialFolderProvider())
        return SpecialFolderProvider()(AFolderId);
    return SystemSpecialFolder(AFolderId);
}

void SetSpecialFolderProvider(std::function<QString(int)> AProvider)
{
    SpecialFolderProvider() = std::move(AProvider);
}

namespace {
// QDate's Julian day of 30 December 1899, day 0 of the OLE calendar.
constexpr qint64 OleEpochJulianDay = 2415019;
} // namespace

TDate DateToOle(const QDate& ADate)
{
    return static_cast<TDate>(ADate.toJulianDay() - OleEpochJulianDay);
}

QDate OleToDate(TDate ADate)
{
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(TruncDate(ADate))) + OleEpochJulianDay);
}

TDate TruncDate(TDate ADate)
{
    return std::trunc(std::round(ADate * 1e8) / 1e8);
}

TDate Today()
{
    return DateToOle(QDate::currentDate());
}

int DayOfTheWeek(TDate ADate)
{
    // Day 0 was a Saturday; the lists ask for every date they hold.
    const qint64 day = static_cast<qint64>(std::floor(TruncDate(ADate)));
    return static_cast<int>(((day + 5) % 7 + 7) % 7) + 1;
}

QString LocaleDateSeparator()
{
    // The non-letter run between the first two fields of the short format.
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format[i].isLetter())
        ++i;
    qsizetype end = i;
    while (end < format.size() && !format[end].isLetter())
        ++end;
    const QString separator = format.mid(i, end - i);
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString LocaleShortDatePattern()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    return ReplaceAllText(format, LocaleDateSeparator(), QStringLiteral("/"));
}

QString FormatDatePattern(TDate ADate, const QString& APattern, const QString& ASeparator)
{
    QString pattern = APattern;
    if (ASeparator != QLatin1String("/")) {
        // The separator goes in quoted so letters in it are not read as fields.
        QString quoted = ASeparator;
        quoted.replace(QLatin1String("'"), QLatin1String("''"));
        pattern = ReplaceAllText(pattern, QStringLiteral("/"), QLatin1Char('\'') + quoted + QLatin1Char('\''));
    }
    return QLocale().toString(OleToDate(ADate), pattern);
}

QString DateToStrWithoutYear(TDate ADate, const QString& APattern, const QString& ASeparator)
{
    QString pattern = ReplaceAllText(APattern, QStringLiteral("/y"), QStringLiteral("yy"));
    pattern = ReplaceAllText(pattern, QStringLiteral("y/"), QStringLiteral("yy"));
    pattern = RemoveChar(pattern, QLatin1Char('y'));
    QString text = FormatDatePattern(ADate, pattern, ASeparator);
    if (ASeparator == QLatin1String(".") && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

QString DateToStrWithoutYear(TDate ADate)
{
    return DateToStrWithoutYear(ADate, LocaleShortDatePattern(), LocaleDateSeparator());
}

QString ShortDateText(TDate ADate)
{
    return QLocale().toString(OleToDate(ADate), QLocale::ShortFormat);
}

bool ShortDateTextToDate(const QString& AText, TDate& ADate)
{
    const QLocale locale;
    QDate date = locale.toDate(AText.trimmed(), QLocale::ShortFormat);
    if (!date.isValid())
        return false;
    // Qt reads a two-digit year as 19xx; schedules lie around today.
    if (!locale.dateFormat(QLocale::ShortFormat).contains(QLatin1String("yyyy")) && date.year() < 1950)
        date = date.addYears(100);
    ADate = DateToOle(date);
    return true;
}

TColor LightenColor(TColor AColor, int AMinLevel)
{
    if (AMinLevel == 0)
        return AColor;
    int channels[3] = {ColorRed(AColor), ColorGreen(AColor), ColorBlue(AColor)};
    int missing = 0;
    for (int c : channels)
        if (c < AMinLevel)
            missing += AMinLevel - c;
    const int add = missing / 3;
    for (int& c : channels)
        c = std::min(255, c + add);
    return (AColor & 0xFF000000u) | RGBToColor(channels[0], channels[1], channels[2]);
}

TColor RGBToColor(int ARed, int AGreen, int ABlue)
{
    return static_cast<TColor>(ARed & 0xFF) | (static_cast<TColor>(AGreen & 0xFF) << 8)
           | (static_cast<TColor>(ABlue & 0xFF) << 16);
}

int ColorRed(TColor AColor)
{
    return static_cast<int>(AColor & 0xFF);
}
int ColorGreen(TColor AColor)
{
    return static_cast<int>((AColor >> 8) & 0xFF);
}
int ColorBlue(TColor AColor)
{
    return static_cast<int>((AColor >> 16) & 0xFF);
}

int StringsIndexOfName(const QStringList& AList, const QString& AName)
{
    const QString prefix = AName + QLatin1Char('=');
    for (int i = 0; i < AList.size(); ++i)
        if (AList[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

QString StringsValue(const QStringList& AList, const QString& AName)
{
    const int at = StringsIndexOfName(AList, AName);
    return at < 0 ? QString() : AList[at].mid(AName.size() + 1);
}

void StringsSetValue(QStringList& AList, const QString& AName, const QString& AValue)
{
    const int at = StringsIndexOfName(AList, AName);
    if (AValue.isEmpty()) {
        if (at >= 0)
            AList.removeAt(at);
        return;
    }
    const QString line = AName + QLatin1Char('=') + AValue;
    if (at >= 0)
        AList[at] = line;
    else
        AList.append(line);
}
