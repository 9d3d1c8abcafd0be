#pragma once

// Texts in the user's locale order ignoring case, shared by every sorted list.

#include <QCollator>
#include <QString>

// The collator, made anew when the default locale changes.
const QCollator& LocaleCollator();
// Negative, 0 or positive as A sorts before, with or after B.
int CompareLocaleText(const QString& A, const QString& B);
// The text's sort key; keys compare as their texts do. Keys are kept between
// calls, because every refresh sorts the same register names again.
QCollatorSortKey LocaleSortKey(const QString& AText);
