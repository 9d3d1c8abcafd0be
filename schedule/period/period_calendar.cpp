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

namespace {
// A field of a date format ("dd", "MMM", "yyyy"; Field its letter) or the
// literal text between fields (Field null).
struct TDatePart {
    QString Text;
    QChar Field;
};

QList<TDatePart> ShortDateParts()
{
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    QList<TDatePart> parts;
    const auto literal = [&parts](const QString& AText) {
        if (!parts.isEmpty() && parts.last().Field.isNull())
            parts.last().Text += AText;
        else
            parts.append({AText, QChar()});
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype end = i + 1;
        const QChar quote = QLatin1Char('\'');
        if (c == quote) {
            // Quoted text; two quotes stand for one, inside or outside.
            QString text;
            while (end < format.size()) {
                if (format[end] != quote) {
                    text += format[end++];
                } else if (end + 1 < format.size() && format[end + 1] == quote) {
                    text += quote;
                    end += 2;
                } else {
                    break;
                }
            }
            literal(end == i + 1 && end < format.size() ? QString(quote) : text);
            i = end + 1;
            continue;
        }
        if (c.isLetter()) {
            while (end < format.size() && format[end] == c)
                ++end;
            parts.append({format.mid(i, end - i), c});
        } else {
            literal(QString(c));
        }
        i = end;
    }
    return parts;
}

// Drops a field with the literal that ties it to the others: the one before
// a last field (and all after it, which belongs to it), else the one after.
// ADot tells whether a dropped tie was a dot, which then ends the text.
void DropField(QList<TDatePart>& AParts, QChar AField, bool& ADot)
{
    qsizetype at = -1, last = -1;
    for (qsizetype i = 0; i < AParts.size(); ++i) {
        if (AParts[i].Field == AField)
            at = i;
        if (!AParts[i].Field.isNull())
            last = i;
    }
    if (at < 0)
        return;
    if (at == last) {
        AParts.erase(AParts.begin() + at, AParts.end());
        if (at > 0 && AParts[at - 1].Field.isNull()) {
            ADot = AParts[at - 1].Text.trimmed().startsWith(QLatin1Char('.'));
            AParts.removeAt(at - 1);
        }
        return;
    }
    if (at + 1 < AParts.size() && AParts[at + 1].Field.isNull())
        AParts.removeAt(at + 1);
    AParts.removeAt(at);
}

qsizetype FieldAt(const QList<TDatePart>& AParts, QChar AField)
{
    for (qsizetype i = 0; i < AParts.size(); ++i)
        if (AParts[i].Field == AField)
            return i;
    return -1;
}
} // namespace

QString PeriodStartShort(TDate AStart, TDate AEnd)
{
    const QDate start = OleToDate(AStart);
    const QDate end = OleToDate(AEnd);
    if (start.year() != end.year())
        return ShortDateText(AStart);
    QList<TDatePart> parts = ShortDateParts();
    bool dot = false;
    DropField(parts, QLatin1Char('y'), dot);
    // A day alone reads as one only where it comes before the month.
    const qsizetype day = FieldAt(parts, QLatin1Char('d'));
    if (start.month() == end.month() && day >= 0 && day < FieldAt(parts, QLatin1Char('M')))
        DropField(parts, QLatin1Char('M'), dot);
    QString pattern;
    for (const TDatePart& part : parts) {
        if (!part.Field.isNull())
            pattern += parts.size() == 1 && part.Field == QLatin1Char('d') ? QStringLiteral("d") : part.Text;
        else
            pattern += QLatin1Char('\'') + QString(part.Text).replace(QLatin1Char('\''), QStringLiteral("''"))
                       + QLatin1Char('\'');
    }
    QString text = QLocale().toString(start, pattern);
    if (dot && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
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
