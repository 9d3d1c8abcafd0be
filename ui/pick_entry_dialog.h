// The small searchable list a keyboard user plans with: typing narrows the
// entries to those holding every typed word, Enter takes the chosen one.
#pragma once

#include "ui/view_guard.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

class TPickEntryDialog : public QDialog {
    Q_OBJECT
public:
    TPickEntryDialog(const QString& ACaption, const QStringList& AEntries, int AProposed, QWidget* AParent = nullptr);

    // The index in the entries of the one chosen; -1 while none is shown.
    int Chosen() const;
    // Whether an entry is shown for ATyped: every word of it is in the entry,
    // ignoring case.
    static bool Matches(const QString& AEntry, const QString& ATyped);

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void Filter(const QString& ATyped);

    QLineEdit* EditFilter;
    QListWidget* ListEntries;
};
