#include "ui/keyboard_planning.h"

#include "core/dialogs.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

QKeySequence PlanKey()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
}

bool IsKey(const QKeyEvent* AEvent, const QKeySequence& ASequence)
{
    if (!AEvent || ASequence.isEmpty())
        return false;
    // The keypad's flag is not part of a key's name.
    const Qt::KeyboardModifiers modifiers = AEvent->modifiers() & ~Qt::KeypadModifier;
    return ASequence[0] == QKeyCombination(modifiers, Qt::Key(AEvent->key()));
}

QString WithKey(const QString& AHint, const QKeySequence& AKey)
{
    return QStringLiteral("%1 (%2)").arg(AHint, AKey.toString(QKeySequence::NativeText));
}

QString WorkplaceEntry(const QString& AShortcut, const QString& AName)
{
    return AShortcut + QStringLiteral("  ") + AName;
}

int PickIndex(const QString& ACaption, const QStringList& AEntries)
{
    int chosen = 0;
    if (AEntries.isEmpty() || !Dialogs().PickEntry(ACaption, AEntries, chosen))
        return -1;
    return chosen >= 0 && chosen < AEntries.size() ? chosen : -1;
}

void SetAccessibleTexts(QWidget* AWidget, const QString& AName, const QString& ADescription)
{
    if (AWidget->accessibleName() != AName)
        AWidget->setAccessibleName(AName);
    if (AWidget->accessibleDescription() != ADescription)
        AWidget->setAccessibleDescription(ADescription);
}

void SetStepKeys(QWidget* ACalendar, QAction* ABack, QAction* AOn, QAction* AToday, const QString& AUnit)
{
    ABack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    AOn->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    AToday->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    const auto name = [](const QAction* AAction) { return AAction->shortcut().toString(QKeySequence::NativeText); };
    const QString keys
        = QStringLiteral("%1: previous %4, %2: next %4, %3: today").arg(name(ABack), name(AOn), name(AToday), AUnit);
    ACalendar->setToolTip(keys);
    SetAccessibleTexts(ACalendar, QStringLiteral("Calendar"), QStringLiteral("The %1 shown. %2").arg(AUnit, keys));
}
