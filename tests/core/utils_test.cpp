#include "core/utils.h"
#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

TEST(TextUtilsTest, TrimBlanksTrimsBlankTabBlankInThatOrder)
{
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\t\t"), "");
    EXPECT_EQ(TrimBlanks(" \tx \t"), "x");
    // Tab, blank, tab: the first pass stops at the tab, so the second tab stays.
    EXPECT_EQ(TrimBlanks("\t \tx"), "\tx");
    EXPECT_EQ(TrimBlanks("  Ann Lee  "), "Ann Lee");
}

TEST(TextUtilsTest, TrimRemoveAndFindCharacters)
{
    EXPECT_EQ(TrimChar("^^A^B^^", QLatin1Char('^')), "A^B");
    EXPECT_EQ(TrimChar("^^^", QLatin1Char('^')), "");
    EXPECT_EQ(RemoveChar("a-b-c", QLatin1Char('-')), "abc");
    EXPECT_EQ(LastPos(" ", "Ann Lee Smith"), 8);
    EXPECT_EQ(LastPos(" ", "Ann"), 0);
    EXPECT_EQ(LastPos(",", ""), 0);
}

TEST(TextUtilsTest, ReplaceAllTextDoesNotRescanReplacements)
{
    EXPECT_EQ(ReplaceAllText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAllText("a/y/y", "/y", "yy"), "ayyyy");
    EXPECT_EQ(ReplaceAllText("Abc abc", "abc", "x"), "Abc x");
    EXPECT_EQ(ReplaceAllText("", "a", "b"), "");
}

TEST(TextUtilsTest, CutTextEndsBetweenCharacters)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const QString accent = QString::fromUtf8("e\xCC\x81"); // e and a combining acute accent
    EXPECT_EQ(CutText("Ann", 3), "Ann");
    EXPECT_EQ(CutText("Ann", 40), "Ann");
    EXPECT_EQ(CutText("Ann", 2), "An");
    EXPECT_EQ(CutText("Ann", 0), "");
    EXPECT_EQ(CutText("Ann", -1), "");
    EXPECT_EQ(CutText("", 0), "");
    // A pair split by the limit goes whole; one that fits stays whole.
    EXPECT_EQ(CutText("ab" + smile, 3), "ab");
    EXPECT_EQ(CutText("ab" + smile + "c", 4), "ab" + smile);
    EXPECT_EQ(CutText(smile + smile, 1), "");
    // A combining mark stays with its letter.
    EXPECT_EQ(CutText("ab" + accent, 3), "ab");
    EXPECT_EQ(CutText("ab" + accent + "x", 4), "ab" + accent);
    // A short text is left as it is, whatever it ends with.
    EXPECT_EQ(CutText("ab" + smile.left(1), 3), "ab" + smile.left(1));
}

TEST(TextUtilsTest, CapitalizeCompareAndClamp)
{
    EXPECT_EQ(CapitalizeFirst(""), "");
    EXPECT_EQ(CapitalizeFirst("élan vital"), "Élan vital");
    EXPECT_EQ(CompareInt(1, 2), -1);
    EXPECT_EQ(CompareInt(2, 1), 1);
    EXPECT_EQ(CompareInt(5, 5), 0);
    EXPECT_EQ(ClampInt(1, 99, 0), 1);
    EXPECT_EQ(ClampInt(1, 99, 500), 99);
    EXPECT_EQ(ClampInt(1, 99, 35), 35);
    EXPECT_TRUE(SameTextIgnoringCase("Ärger", "äRGER"));
}

TEST(PathUtilsTest, BackslashRulesWithTheSlashSeparator)
{
    EXPECT_EQ(IncludeBackslash(""), "");
    EXPECT_EQ(IncludeBackslash("/home/ann"), "/home/ann/");
    EXPECT_EQ(IncludeBackslash("/home/ann/"), "/home/ann/");
    EXPECT_EQ(ExcludeBackslash("/"), "/");
    EXPECT_EQ(ExcludeBackslash("/a/"), "/a/"); // shorter than 4 characters
    EXPECT_EQ(ExcludeBackslash("/data/"), "/data");
    EXPECT_EQ(ExcludeBackslash("/data"), "/data");
    EXPECT_EQ(RemoveFileExt("/opt/my.app/plenvo.exe"), "/opt/my.app/plenvo");
    EXPECT_EQ(RemoveFileExt("plenvo"), "plenvo");
}

TEST(PathUtilsTest, ForceFoldersReportsTheLastLevel)
{
    const QString root = TestEnv::NewFolder("force");
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(FolderExists(root));
    EXPECT_TRUE(FolderExists(root + "/"));

    const QString deep = root + "/a/b/c";
    EXPECT_TRUE(ForceFolders(deep));
    EXPECT_TRUE(FolderExists(deep));
    // Already there: false, nothing changes.
    EXPECT_FALSE(ForceFolders(deep));
    EXPECT_FALSE(ForceFolders(deep + "/"));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(ForceFolders(""));

    // A level that is a file cannot become a folder.
    QFile file(root + "/plain");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(ForceFolders(root + "/plain/sub"));
    EXPECT_FALSE(FolderExists(root + "/plain/sub"));
}

TEST(PathUtilsTest, SpecialFoldersComeFromTheProvider)
{
    EXPECT_EQ(GetSpecialFolder(CSIDL_PERSONAL), TestEnv::DocumentsFolder());
    EXPECT_EQ(GetSpecialFolder(CSIDL_APPDATA), TestEnv::AppDataFolder());
    EXPECT_EQ(GetSpecialFolder(CSIDL_COMMON_DOCUMENTS), TestEnv::PublicFolder());
    EXPECT_EQ(GetSpecialFolder(0x7777), "");
}

TEST(DateUtilsTest, OleDayNumbers)
{
    EXPECT_EQ(DateToOle(QDate(2012, 2, 28)), 40967.0);
    EXPECT_EQ(DateToOle(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(OleToDate(40967.75), QDate(2012, 2, 28));
    EXPECT_EQ(DayOfTheWeek(40967), 2); // a Tuesday
    // Against the calendar, also before day 0 where the fraction counts back.
    for (int day = -800; day <= 800; ++day) {
        for (const double part : {0.0, 0.25, 0.999999999}) {
            const TDate date = day < 0 ? day - part : day + part;
            ASSERT_EQ(DayOfTheWeek(date), OleToDate(date).dayOfWeek()) << date;
        }
    }
    // Within 1e-8 of the next day counts as the next day.
    EXPECT_EQ(TruncDate(40967.999999999), 40968.0);
    EXPECT_EQ(TruncDate(40967.5), 40967.0);
    EXPECT_EQ(OleToDate(40967.999999999), QDate(2012, 2, 29));
}

TEST(DateUtilsTest, DateWithoutYearFollowsPatternAndSeparator)
{
    const TDate feb28 = DateToOle(QDate(2012, 2, 28));
    EXPECT_EQ(DateToStrWithoutYear(feb28, "d/M/yyyy", "."), "28.2.");
    EXPECT_EQ(DateToStrWithoutYear(feb28, "M/d/yyyy", "/"), "2/28");
    EXPECT_EQ(DateToStrWithoutYear(feb28, "yyyy/MM/dd", "-"), "02-28");
    EXPECT_EQ(DateToStrWithoutYear(feb28, "dd/MM/yy", "."), "28.02.");
    // Without a "/" beside the year only the year letters go.
    EXPECT_EQ(DateToStrWithoutYear(feb28, "yyyy-MM-dd", "-"), "-02-28");
    // A separator that ends the text already gets no second full stop.
    EXPECT_EQ(DateToStrWithoutYear(feb28, "d/M/", "."), "28.2.");
}

TEST(DateUtilsTest, DateWithoutYearInTheUsersLocale)
{
    const TDate feb28 = DateToOle(QDate(2012, 2, 28));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(LocaleDateSeparator(), ".");
    EXPECT_EQ(DateToStrWithoutYear(feb28), "28.02.");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(LocaleDateSeparator(), "/");
    EXPECT_EQ(DateToStrWithoutYear(feb28), "2/28");
}

TEST(DateUtilsTest, ShortDateTextReadsBack)
{
    const TDate feb28 = DateToOle(QDate(2012, 2, 28));
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedKingdom),
             QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        SCOPED_TRACE(locale.name().toStdString());
        TDate date = 0;
        ASSERT_TRUE(ShortDateTextToDate(ShortDateText(feb28), date)) << ShortDateText(feb28).toStdString();
        EXPECT_EQ(date, feb28); // two-digit years come back in this century
        EXPECT_FALSE(ShortDateTextToDate("", date));
        EXPECT_FALSE(ShortDateTextToDate("31/31/2012", date));
        EXPECT_EQ(date, feb28); // untouched on failure
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

TEST(ColorUtilsTest, LightenColor)
{
    const TColor black = 0;
    EXPECT_EQ(LightenColor(black, 0), black);
    EXPECT_EQ(LightenColor(black, 220), RGBToColor(220, 220, 220));
    TColor c = black;
    for (int i = 0; i < 10; ++i)
        c = LightenColor(c, 220);
    EXPECT_EQ(c, RGBToColor(220, 220, 220));
    EXPECT_EQ(LightenColor(RGBToColor(255, 255, 255), 220), RGBToColor(255, 255, 255));
    EXPECT_EQ(LightenColor(RGBToColor(230, 221, 250), 220), RGBToColor(230, 221, 250));
    // Only red is short, by 120: each channel gains 40, green and blue capped.
    EXPECT_EQ(LightenColor(RGBToColor(100, 240, 230), 220), RGBToColor(140, 255, 255));
    // The top byte stays.
    EXPECT_EQ(LightenColor(0xFF000000u, 220) & 0xFF000000u, 0xFF000000u);
    EXPECT_EQ(ColorRed(RGBToColor(1, 2, 3)), 1);
    EXPECT_EQ(ColorGreen(RGBToColor(1, 2, 3)), 2);
    EXPECT_EQ(ColorBlue(RGBToColor(1, 2, 3)), 3);
    EXPECT_EQ(RGBToColor(0xEC, 0xFF, 0xD9), 14286828u); // red in the low byte
}

TEST(NameValueTest, SetReadAndRemoveLines)
{
    QStringList list;
    StringsSetValue(list, "Note", "Acme");
    StringsSetValue(list, "Subnote", "Sales");
    EXPECT_EQ(list, (QStringList{"Note=Acme", "Subnote=Sales"}));
    StringsSetValue(list, "Note", "Acme=Ltd");
    EXPECT_EQ(StringsValue(list, "Note"), "Acme=Ltd");
    EXPECT_EQ(list.first(), "Note=Acme=Ltd");
    StringsSetValue(list, "Note", "");
    EXPECT_EQ(list, (QStringList{"Subnote=Sales"}));
    EXPECT_EQ(StringsValue(list, "Missing"), "");
    // A name is not matched by a longer name that starts with it.
    StringsSetValue(list, "Sub", "x");
    EXPECT_EQ(StringsValue(list, "Subnote"), "Sales");
    EXPECT_EQ(StringsValue(list, "Sub"), "x");
}
