// Placing periods on the calendar, their headings and the compacted weekday
// text, shared by the worker and the workplace schedules.
#include "schedule/period/period_calendar.h"

#include "support/test_env.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
TDate D(int AYear, int AMonth, int ADay)
{
    return DateToOle(QDate(AYear, AMonth, ADay));
}

QStringList Names(std::initializer_list<TDate> ADates)
{
    QStringList names;
    for (TDate date : ADates)
        names << ShortDayName(date);
    return names;
}
} // namespace

TEST(PeriodStart, WeekStartsOnMondayOrSunday)
{
    // Wednesday 12 October 2011.
    EXPECT_EQ(PeriodStart(D(2011, 10, 12), ddkWeek, 1), D(2011, 10, 10));
    EXPECT_EQ(PeriodStart(D(2011, 10, 12), ddkWeek, 7), D(2011, 10, 9));
    // A Sunday starts its own week when weeks start on Sunday.
    EXPECT_EQ(PeriodStart(D(2011, 10, 16), ddkWeek, 7), D(2011, 10, 16));
    // With Monday first, a Sunday belongs to the week of the Monday six days before.
    EXPECT_EQ(PeriodStart(D(2011, 10, 16), ddkWeek, 1), D(2011, 10, 10));
    // A Saturday with Sunday first: the Sunday six days before.
    EXPECT_EQ(PeriodStart(D(2011, 10, 15), ddkWeek, 7), D(2011, 10, 9));
    // A Monday is its own start with Monday first.
    EXPECT_EQ(PeriodStart(D(2011, 10, 10), ddkWeek, 1), D(2011, 10, 10));
}

TEST(PeriodStart, TimeOfDayIsDropped)
{
    EXPECT_EQ(PeriodStart(D(2011, 10, 12) + 0.75, ddkWeek, 1), D(2011, 10, 10));
    // Just below midnight rounds up to the next day at 8 decimals.
    EXPECT_EQ(PeriodStart(D(2011, 10, 9) + 0.999999999, ddkWeek, 1), D(2011, 10, 10));
}

TEST(PeriodStart, TwoWeeksStartLikeOneWeek)
{
    EXPECT_EQ(PeriodStart(D(2011, 10, 12), ddkTwoWeeks, 1), D(2011, 10, 10));
    EXPECT_EQ(PeriodDays(D(2011, 10, 10), ddkTwoWeeks), 14);
    EXPECT_EQ(PeriodDays(D(2011, 10, 10), ddkWeek), 7);
}

TEST(PeriodStart, MonthsOf28To31Days)
{
    EXPECT_EQ(PeriodStart(D(2012, 2, 12), ddkMonth, 1), D(2012, 2, 1));
    EXPECT_EQ(PeriodDays(D(2012, 2, 1), ddkMonth), 29);
    EXPECT_EQ(PeriodDays(D(2011, 2, 1), ddkMonth), 28);
    EXPECT_EQ(PeriodDays(D(2011, 4, 1), ddkMonth), 30);
    EXPECT_EQ(PeriodDays(D(2012, 1, 1), ddkMonth), 31);
    EXPECT_EQ(PeriodStart(D(2011, 12, 31), ddkMonth, 7), D(2011, 12, 1));
}

TEST(PeriodHeading, OneMonthOneYearTwoYears)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString sep = LocaleDateSeparator();
    ASSERT_EQ(sep, QStringLiteral("."));
    EXPECT_EQ(PeriodStartShort(D(2011, 10, 10), D(2011, 10, 16)), QStringLiteral("10."));
    EXPECT_EQ(PeriodStartShort(D(2011, 9, 26), D(2011, 10, 2)), QStringLiteral("26.09."));
    EXPECT_EQ(PeriodStartShort(D(2011, 12, 26), D(2012, 1, 1)), ShortDateText(D(2011, 12, 26)));
    EXPECT_EQ(PeriodHeading(D(2012, 2, 1), D(2012, 2, 29)), QStringLiteral("1. - ") + ShortDateText(D(2012, 2, 29)));
    EXPECT_EQ(PeriodHeading(D(2011, 12, 26), D(2012, 1, 1)),
        ShortDateText(D(2011, 12, 26)) + QStringLiteral(" - ") + ShortDateText(D(2012, 1, 1)));
}

// The start shortened by what the end says, one blank each side of the dash.
struct THeadingCase {
    const char* Locale;
    const char* InOneMonth;
    const char* AcrossMonths;
    const char* AcrossYears;
};

class PeriodHeadingIn : public testing::TestWithParam<THeadingCase> {};

TEST_P(PeriodHeadingIn, ReadsNaturally)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().Locale)));
    EXPECT_EQ(PeriodHeading(D(2026, 12, 7), D(2026, 12, 13)), QString::fromUtf8(GetParam().InOneMonth));
    EXPECT_EQ(PeriodHeading(D(2026, 2, 27), D(2026, 3, 4)), QString::fromUtf8(GetParam().AcrossMonths));
    EXPECT_EQ(PeriodHeading(D(2025, 12, 26), D(2026, 1, 1)), QString::fromUtf8(GetParam().AcrossYears));
}

INSTANTIATE_TEST_SUITE_P(Locales, PeriodHeadingIn,
    testing::Values(THeadingCase{"en_GB", "7 - 13/12/2026", "27/02 - 04/03/2026", "26/12/2025 - 01/01/2026"},
        // A bare day before a date that starts with its month would misread.
        THeadingCase{"en_US", "12/7 - 12/13/26", "2/27 - 3/4/26", "12/26/25 - 1/1/26"},
        THeadingCase{"de_DE", "7. - 13.12.26", "27.02. - 04.03.26", "26.12.25 - 01.01.26"},
        THeadingCase{"cs_CZ", "7. - 13.12.26", "27.02. - 04.03.26", "26.12.25 - 01.01.26"},
        // The blank separator of "d MMM yyyy".
        THeadingCase{"C", "7 - 13 Dec 2026", "27 Feb - 4 Mar 2026", "26 Dec 2025 - 1 Jan 2026"},
        THeadingCase{"hu_HU", "12. 07. - 2026. 12. 13.", "02. 27. - 2026. 03. 04.", "2025. 12. 26. - 2026. 01. 01."}));

TEST(CompactDayText, RunsOfThreeOrMoreCollapse)
{
    // 5 March 2012 is a Monday.
    const TDate mon = D(2012, 3, 5);
    EXPECT_EQ(CompactDayText(Names({mon, mon + 1, mon + 2, mon + 3, mon + 4}), 1), QStringLiteral("Mon..Fri"));
    EXPECT_EQ(
        CompactDayText(Names({mon, mon + 2, mon + 3, mon + 4, mon + 6}), 1), QStringLiteral("Mon, Wed..Fri, Sun"));
    EXPECT_EQ(CompactDayText(Names({mon, mon + 1, mon + 3}), 1), QStringLiteral("Mon, Tue, Thu"));
    EXPECT_EQ(CompactDayText(Names({mon, mon + 2}), 1), QStringLiteral("Mon, Wed"));
    EXPECT_EQ(CompactDayText({}, 1), QString());
}

TEST(CompactDayText, TwoWeeksRepeatTheRun)
{
    const TDate mon = D(2012, 3, 5);
    std::initializer_list<TDate> days = {mon, mon + 1, mon + 2, mon + 3, mon + 4, mon + 5, mon + 6, mon + 7, mon + 8,
        mon + 9, mon + 10, mon + 11, mon + 12, mon + 13};
    EXPECT_EQ(CompactDayText(Names(days), 1), QStringLiteral("Mon..Sun, Mon..Sun"));
}

TEST(CompactDayText, RunsDoNotWrapRoundTheWeek)
{
    const TDate sat = D(2012, 3, 10);
    EXPECT_EQ(CompactDayText(Names({sat, sat + 1, sat + 2}), 1), QStringLiteral("Sat, Sun, Mon"));
    const TDate fri = D(2012, 3, 9);
    EXPECT_EQ(CompactDayText(Names({fri, fri + 1, fri + 2}), 1), QStringLiteral("Fri..Sun"));
    EXPECT_EQ(CompactDayText(Names({fri, fri + 1, fri + 2}), 7), QStringLiteral("Fri, Sat, Sun"));
}

TEST(CompactDayText, SundayFirstWeek)
{
    const TDate sun = D(2012, 3, 4);
    EXPECT_EQ(CompactDayText(Names({sun, sun + 1, sun + 2}), 7), QStringLiteral("Sun..Tue"));
    // With Monday first the same three days are no run of one week.
    EXPECT_EQ(CompactDayText(Names({sun, sun + 1, sun + 2}), 1), QStringLiteral("Sun, Mon, Tue"));
}

TEST(CompactDayText, NamesAreCapitalised)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const TDate mon = D(2012, 3, 5);
    const QString text = CompactDayText(Names({mon, mon + 2}), 1);
    EXPECT_TRUE(text.at(0).isUpper()) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(", ")));
    EXPECT_FALSE(text.endsWith(QLatin1Char(',')));
}

TEST(WeekOrder, DayNumbersFollowTheFirstDay)
{
    const TDate sun = D(2012, 3, 4);
    EXPECT_EQ(WeekOrderDay(sun, 1), 7);
    EXPECT_EQ(WeekOrderDay(sun, 7), 1);
    EXPECT_EQ(WeekOrderDay(sun + 6, 7), 7); // Saturday
    EXPECT_EQ(WeekOrderDay(sun + 1, 1), 1); // Monday
}
