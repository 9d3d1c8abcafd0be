// Builders of the schedule views' commands: actions scoped to their view,
// picture-only tool buttons, print menus of report entries with their check
// mark, showing a print menu again below its button, and labels used as links.
#pragma once

#include "ui/view_guard.h"

#include <QAction>
#include <QList>
#include <QString>

class QEvent;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;
class TObject;
class TSetupGeneral;

// An action of AOwner named AName with ACaption as its text; a given AHint is
// its tool tip and status tip. Its shortcuts work while the focus is inside
// AOwner, so two views can use the same keys.
QAction* NewAction(QWidget* AOwner, const QString& AName, const QString& ACaption, const QString& AHint);

// The same, triggering AHandler of AOwner (the view's ControlChanged).
template <class TOwner>
QAction* NewAction(
    TOwner* AOwner, void (TOwner::*AHandler)(), const QString& AName, const QString& ACaption, const QString& AHint)
{
    QAction* action = NewAction(static_cast<QWidget*>(AOwner), AName, ACaption, AHint);
    QObject::connect(action, &QAction::triggered, AOwner, AHandler);
    return action;
}

// A tool button named AName that runs AAction and shows only its picture.
QToolButton* NewToolButton(QWidget* AParent, const QString& AName, QAction* AAction);

// One entry of a print menu: the action's name and caption, the report it
// prints and whether that report is the plain register list.
struct TPrintEntry {
    const char* Name;
    const char* Caption;
    const char* Report;
    bool Simple;
};

// Marks AAction as printing AReport; PrintReportOf reads it back.
void SetPrintReport(QAction* AAction, const QString& AReport, bool ASimple);
// The report AAction prints and whether it is the plain register list; false
// for an action that prints nothing.
bool PrintReportOf(const QAction* AAction, QString& AReport, bool& ASimple);

// An action of AOwner that prints AEntry's report.
template <class TOwner>
QAction* NewPrintAction(TOwner* AOwner, void (TOwner::*AHandler)(), const TPrintEntry& AEntry)
{
    QAction* action
        = NewAction(AOwner, AHandler, QString::fromLatin1(AEntry.Name), QString::fromLatin1(AEntry.Caption), QString());
    SetPrintReport(action, QString::fromLatin1(AEntry.Report), AEntry.Simple);
    return action;
}

// Fills a print menu: the report actions, a separator where they change from
// the schedule's reports to the register's, then a separator and ACheckMark.
void AddPrintEntries(QMenu* AMenu, const QList<QAction*>& AReports, QAction* ACheckMark);

// Opens AMenu below AButton.
void PopupBelow(QMenu* AMenu, QToolButton* AButton);
// The same once the menu that ran the current action has closed, unless AMenu
// is open by then.
void ReopenBelow(QMenu* AMenu, QToolButton* AButton);

// A print filter of the general settings that a print menu's check mark shows.
struct TPrintFlag {
    bool (TSetupGeneral::*Get)() const;
    void (TSetupGeneral::*Set)(bool);
    // The setting's name in notices.
    const char* Name;

    // False without settings.
    bool Value() const;
    void Write(bool AValue) const;
    // Whether a notice of ASender named AValueName may tell a new value.
    bool ChangedBy(const TObject* ASender, const QString& AValueName) const;
};
// Handles AEvent of a label used as a link: underlined while the pointer is
// over it; true for the release of a left click on it.
bool LinkLabelClicked(QLabel* ALabel, const QEvent* AEvent);
