// Text, path, date, colour and name=value utilities shared by every unit.
// Their exact rules matter: names, sorting and printouts depend on them.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

// A day number in the OLE Automation form: whole days since 30 December 1899,
// the fraction being the time of day.
using TDate = double;
// A colour with red in the low byte, then green, then blue (0x00BBGGRR).
using TColor = quint32;

enum TSortingDirection { sdAscended, sdDescended };
enum TDateDaysKind { ddkWeek, ddkTwoWeeks, ddkMonth };

// --- text ---
QString TrimChar(const QString& AText, QChar AChar);
QString TrimBlanks(const QString& AText);
// The longest start of AText of at most AMaxLength UTF-16 units that ends
// between two characters: never inside a surrogate pair, never between a
// letter and its combining marks.
QString CutText(const QString& AText, qsizetype AMaxLength);
QString CapitalizeFirst(const QString& AText);
QString RemoveChar(const QString& AText, QChar AChar);
int LastPos(const QString& ASubText, const QString& AText);
QString ReplaceAllText(const QString& AText, const QString& AOld, const QString& ANew);
int CompareInt(qint64 A, qint64 B);
int ClampInt(int AMin, int AMax, int AValue);
// Upper case in the user's locale, the form every case-insensitive comparison uses.
QString UpperText(const QString& AText);
bool SameTextIgnoringCase(const QString& A, const QString& B);

// --- paths (separator "/") ---
QString IncludeBackslash(const QString& APath);
QString ExcludeBackslash(const QString& APath);
QString RemoveFileExt(const QString& AFileName);
bool FolderExists(const QString& APath);
// Makes the missing folders of a path, each synced into its parent before
// the next is made, so a power cut cannot take a folder back that was told
// made; false when the last level existed already or could not be made.
bool ForceFolders(const QString& APath);
// Flushes a file, or a folder's entries, to the disk.
bool SyncPath(const QString& APath);

// Special-folder identifiers as the shell knows them.
enum : int {
    CSIDL_PERSONAL = 0x0005,
    CSIDL_APPDATA = 0x001A,
    CSIDL_COMMON_DOCUMENTS = 0x002E,
};
// Path of a special folder; empty when there is none.
QString GetSpecialFolder(int AFolderId);
// Tests replace the lookup to keep away from the user's own folders; an empty
// function restores the system's.
void SetSpecialFolderProvider(std::function<QString(int)> AProvider);

// --- dates ---
TDate DateToOle(const QDate& ADate);
QDate OleToDate(TDate ADate);
// A date as a whole day: rounded to 8 decimals, fraction dropped.
TDate TruncDate(TDate ADate);
TDate Today();
// ISO day of week, Monday 1 to Sunday 7.
int DayOfTheWeek(TDate ADate);
// The date separator of the user's short date format and the format written
// with "/" in place of that separator.
QString LocaleDateSeparator();
QString LocaleShortDatePattern();
QString FormatDatePattern(TDate ADate, const QString& APattern, const QString& ASeparator);
QString DateToStrWithoutYear(TDate ADate, const QString& APattern, const QString& ASeparator);
QString DateToStrWithoutYear(TDate ADate);
QString ShortDateText(TDate ADate);
// Reads back a text of ShortDateText; false when it is no such date.
bool ShortDateTextToDate(const QString& AText, TDate& ADate);

// --- colours ---
TColor LightenColor(TColor AColor, int AMinLevel);
TColor RGBToColor(int ARed, int AGreen, int ABlue);
int ColorRed(TColor AColor);
int ColorGreen(TColor AColor);
int ColorBlue(TColor AColor);

// --- name=value lines ---
QString StringsValue(const QStringList& AList, const QString& AName);
int StringsIndexOfName(const QStringList& AList, const QString& AName);
// Sets or adds the line; an empty value removes it.
void StringsSetValue(QStringList& AList, const QString& AName, const QString& AValue);
