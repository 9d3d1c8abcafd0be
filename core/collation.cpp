#include "core/collation.h"

#include <QHash>
#include <QLocale>

#include <optional>

namespace {
struct TCollation {
    QLocale Locale{QLocale::C};
    std::optional<QCollator> Collator;
    QHash<QString, QCollatorSortKey> Keys;
};

// Opening a collator loads the locale's rules, so one is kept per thread
// (collators are not shared between threads) until the locale changes.
TCollation& Collation()
{
    static thread_local TCollation collation;
    const QLocale locale;
    if (!collation.Collator || locale != collation.Locale) {
        collation.Locale = locale;
        collation.Collator.emplace(locale);
        collation.Collator->setCaseSensitivity(Qt::CaseInsensitive);
        collation.Keys.clear();
    }
    return collation;
}
} // namespace

const QCollator& LocaleCollator()
{
    return *Collation().Collator;
}

int CompareLocaleText(const QString& A, const QString& B)
{
    return LocaleCollator().compare(A, B);
}

QCollatorSortKey LocaleSortKey(const QString& AText)
{
    TCollation& collation = Collation();
    if (const auto found = collation.Keys.constFind(AText); found != collation.Keys.cend())
        return *found;
    // Renamed entries leave their old keys behind; a few thousand are plenty.
    if (collation.Keys.size() >= 4096)
        collation.Keys.clear();
    return *collation.Keys.insert(AText, collation.Collator->sortKey(AText));
}
