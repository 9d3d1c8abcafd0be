#include "ui/pick_entry_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

TPickEntryDialog::TPickEntryDialog(
    const QString& ACaption, const QStringList& AEntries, int AProposed, QWidget* AParent)
    : QDialog(AParent)
{
    setObjectName(QStringLiteral("PickEntryDialog"));
    setWindowTitle(ACaption);
    auto* layout = new QVBoxLayout(this);
    EditFilter = new QLineEdit(this);
    EditFilter->setObjectName(QStringLiteral("EditFilter"));
    EditFilter->setPlaceholderText(QStringLiteral("Type to search"));
    EditFilter->setClearButtonEnabled(true);
    EditFilter->setAccessibleName(QStringLiteral("Search"));
    auto* label = new QLabel(QStringLiteral("&Search:"), this);
    label->setBuddy(EditFilter);
    layout->addWidget(label);
    layout->addWidget(EditFilter);
    ListEntries = new QListWidget(this);
    ListEntries->setObjectName(QStringLiteral("ListEntries"));
    ListEntries->setAccessibleName(ACaption);
    ListEntries->setUniformItemSizes(true);
    for (int i = 0; i < AEntries.size(); ++i) {
        auto* item = new QListWidgetItem(AEntries[i], ListEntries);
        item->setData(Qt::UserRole, i);
    }
    layout->addWidget(ListEntries, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ListEntries, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(EditFilter, &QLineEdit::textChanged, this, &TPickEntryDialog::Filter);
    // The arrows and page keys move in the list while the typing goes on.
    EditFilter->installEventFilter(this);
    if (AProposed >= 0 && AProposed < ListEntries->count())
        ListEntries->setCurrentRow(AProposed);
    else if (ListEntries->count() > 0)
        ListEntries->setCurrentRow(0);
    const QFontMetrics metrics(font());
    setMinimumSize(std::max(320, metrics.averageCharWidth() * 40), metrics.height() * 16);
    EditFilter->setFocus();
}

int TPickEntryDialog::Chosen() const
{
    const QListWidgetItem* item = ListEntries->currentItem();
    return item && !item->isHidden() ? item->data(Qt::UserRole).toInt() : -1;
}

bool TPickEntryDialog::Matches(const QString& AEntry, const QString& ATyped)
{
    const QStringList words = ATyped.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(words.cbegin(), words.cend(),
        [&AEntry](const QString& AWord) { return AEntry.contains(AWord, Qt::CaseInsensitive); });
}

void TPickEntryDialog::Filter(const QString& ATyped)
{
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < ListEntries->count(); ++i) {
        QListWidgetItem* item = ListEntries->item(i);
        const bool shown = Matches(item->text(), ATyped);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    // The chosen entry stays while it is shown; else the first one shown.
    QListWidgetItem* current = ListEntries->currentItem();
    if (!current || current->isHidden())
        ListEntries->setCurrentItem(first);
}

bool TPickEntryDialog::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == EditFilter && AEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QApplication::sendEvent(ListEntries, AEvent);
            return true;
        }
    }
    return QDialog::eventFilter(AWatched, AEvent);
}
