#pragma once

// Texts in the user's locale order ignoring case, shared by every sorted list.

#include <QCollator>
#include <QString>

// Negative, 0 or positive as A sorts before, with or after B.
int CompareLocaleText(const QString& A, const QString& B);
// The sort keys of texts, for one sort: keys compare as their texts do. The
// locale is looked at once, when it is made; keys are kept from sort to sort,
// because every refresh sorts the same register names again.
class TLocaleSortKeys {
public:
    TLocaleSortKeys();
    QCollatorSortKey operator()(const QString& AText) const;

private:
    struct TCollation* FCollation;
};
