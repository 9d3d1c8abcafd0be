#include "core/collation.h"

#include <QHash>
#include <QLocale>

#include <optional>

struct TCollation {
    QLocale Locale{QLocale::C};
    std::optional<QCollator> Collator;
    QHash<QString, QCollatorSortKey> Keys;
};

namespace {
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

int CompareLocaleText(const QString& A, const QString& B)
{
    return Collation().Collator->compare(A, B);
}

TLocaleSortKeys::TLocaleSortKeys() : FCollation(&Collation()) {}

QCollatorSortKey TLocaleSortKeys::operator()(const QString& AText) const
{
    QHash<QString, QCollatorSortKey>& keys = FCollation->Keys;
    if (const auto found = keys.constFind(AText); found != keys.cend())
        return *found;
    // Renamed entries leave their old keys behind; a few thousand are plenty.
    if (keys.size() >= 4096)
        keys.clear();
    return *keys.insert(AText, FCollation->Collator->sortKey(AText));
}
