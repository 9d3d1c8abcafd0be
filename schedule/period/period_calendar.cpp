#include "schedule/period/period_calendar.h"

#include "setup/setup.h"

#include <QLocale>

#include <array>

int PeriodFirstDayInWeek()
{
    const TSetup* setup = TSetup::Instance();
    return setup ? setup->General()->FirstDayInWeek() : 1;
}

int WeekOrderDay(TDate ADate, int AFirstDayInWeek)
{
    const int iso = DayOfTheWeek(ADate);
    if (AFirstDayInWeek == 1)
        return iso;
    return iso == 7 ? 1 : iso + 1;
}

QString ShortDayName(TDate ADate)
{
    // Every date entry asks; the seven names are kept until the locale changes.
    static QLocale cachedLocale(QLocale::C);
    static std::array<QString, 8> names;
    const QLocale locale;
    if (names[1].isEmpty() || locale != cachedLocale) {
        cachedLocale = locale;
        for (int i = 1; i <= 7; ++i)
            names[static_cast<size_t>(i)] = locale.dayName(i, QLocale::ShortFormat);
    }
    return names[static_cast<size_t>(DayOfTheWeek(ADate))];
}

QString LongDayName(TDate ADate)
{
    return CapitalizeFirst(QLocale().dayName(DayOfTheWeek(ADate), QLocale::LongFormat));
}

TColor PeriodDayColor(TDate ADate)
{
    const TSetup* setup = TSetup::Instance();
    if (!setup)
        return RGBToColor(0xFF, 0xFF, 0xFF);
    return setup->General()->GetDayColor(WeekOrderDay(ADate, setup->General()->FirstDayInWeek()));
}

TDate PeriodStart(TDate ADate, TDateDaysKind AKind, int AFirstDayInWeek)
{
    const TDate day = TruncDate(ADate);
    if (AKind == ddkMonth) {
        const QDate date = OleToDate(day);
        return DateToOle(QDate(date.year(), date.month(), 1));
    }
    const TDate monday = day - (DayOfTheWeek(day) - 1);
    if (AFirstDayInWeek != 7)
        return monday;
    return DayOfTheWeek(day) == 7 ? day : monday - 1;
}

int PeriodDays(TDate AStart, TDateDaysKind AKind)
{
    switch (AKind) {
    case ddkTwoWeeks:
        return 14;
    case ddkMonth:
        return OleToDate(AStart).daysInMonth();
    default:
        return 7;
    }
}

QString PeriodStartShort(TDate AStart, TDate AEnd)
{
    const QDate start = OleToDate(AStart);
    const QDate end = OleToDate(AEnd);
    if (start.year() == end.year() && start.month() == end.month())
        return FormatDatePattern(AStart, QStringLiteral("d/"), LocaleDateSeparator());
    if (start.year() == end.year())
        return DateToStrWithoutYear(AStart);
    return ShortDateText(AStart);
}

QString PeriodHeading(TDate AStart, TDate AEnd)
{
    return PeriodStartShort(AStart, AEnd) + QStringLiteral(" - ") + ShortDateText(AEnd);
}

QString CompactDayText(const QStringList& ADayStrs, int AFirstDayInWeek)
{
    const QString comma = QStringLiteral(", ");
    QString text;
    for (const QString& day : ADayStrs)
        text += CapitalizeFirst(day) + comma;
    if (text.isEmpty())
        return text;

    QStringList week;
    const QLocale locale;
    for (int i = 0; i < 7; ++i) {
        // Week order: Monday first for 1, Sunday first otherwise.
        const int iso = AFirstDayInWeek == 1 ? i + 1 : (i == 0 ? 7 : i);
        week << CapitalizeFirst(locale.dayName(iso, QLocale::ShortFormat));
    }
    for (int length = 7; length >= 3; --length) {
        for (int start = 0; start + length <= 7; ++start) {
            QString pattern;
            for (int k = start; k < start + length; ++k)
                pattern += week[k] + comma;
            const QString replacement = week[start] + QStringLiteral("..") + week[start + length - 1] + comma;
            text = ReplaceAllText(text, pattern, replacement);
        }
    }
    text = TrimBlanks(text);
    return TrimChar(text, QLatin1Char(','));
}
