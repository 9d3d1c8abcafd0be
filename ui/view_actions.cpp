#include "ui/view_actions.h"

#include "setup/setup.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace {
const char* ReportProperty = "printReport";
const char* SimpleProperty = "printSimpleList";
} // namespace

QAction* NewAction(QWidget* AOwner, const QString& AName, const QString& ACaption, const QString& AHint)
{
    auto* action = new QAction(ACaption, AOwner);
    action->setObjectName(AName);
    if (!AHint.isEmpty()) {
        action->setToolTip(AHint);
        action->setStatusTip(AHint);
    }
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    AOwner->addAction(action);
    return action;
}

QToolButton* NewToolButton(QWidget* AParent, const QString& AName, QAction* AAction)
{
    auto* button = new QToolButton(AParent);
    button->setObjectName(AName);
    button->setDefaultAction(AAction);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

void SetPrintReport(QAction* AAction, const QString& AReport, bool ASimple)
{
    AAction->setProperty(ReportProperty, AReport);
    AAction->setProperty(SimpleProperty, ASimple);
}

bool PrintReportOf(const QAction* AAction, QString& AReport, bool& ASimple)
{
    const QVariant report = AAction->property(ReportProperty);
    if (!report.isValid())
        return false;
    AReport = report.toString();
    ASimple = AAction->property(SimpleProperty).toBool();
    return true;
}

void AddPrintEntries(QMenu* AMenu, const QList<QAction*>& AReports, QAction* ACheckMark)
{
    bool simple = false;
    for (int i = 0; i < AReports.size(); ++i) {
        QString report;
        bool entrySimple = false;
        PrintReportOf(AReports[i], report, entrySimple);
        if (i > 0 && entrySimple != simple)
            AMenu->addSeparator();
        simple = entrySimple;
        AMenu->addAction(AReports[i]);
    }
    AMenu->addSeparator();
    AMenu->addAction(ACheckMark);
}

void PopupBelow(QMenu* AMenu, QToolButton* AButton)
{
    AMenu->popup(AButton->mapToGlobal(QPoint(0, AButton->height())));
}

void ReopenBelow(QMenu* AMenu, QToolButton* AButton)
{
    // Queued: the menu that ran the action closes first.
    QTimer::singleShot(0, AButton, [AMenu, AButton] {
        if (!AMenu->isVisible())
            PopupBelow(AMenu, AButton);
    });
}

bool TPrintFlag::Value() const
{
    const TSetup* setup = TSetup::Instance();
    return setup && (setup->General()->*Get)();
}

void TPrintFlag::Write(bool AValue) const
{
    if (TSetup* setup = TSetup::Instance())
        (setup->General()->*Set)(AValue);
}

bool TPrintFlag::ChangedBy(const TObject* ASender, const QString& AValueName) const
{
    return (!ASender || dynamic_cast<const TSetup*>(ASender) || dynamic_cast<const TSetupGeneral*>(ASender))
           && (AValueName.isEmpty() || AValueName == QLatin1String(Name));
}

bool LinkLabelClicked(QLabel* ALabel, const QEvent* AEvent)
{
    const QEvent::Type type = AEvent->type();
    if (type == QEvent::Enter || type == QEvent::Leave) {
        QFont font = ALabel->font();
        font.setUnderline(type == QEvent::Enter);
        ALabel->setFont(font);
        return false;
    }
    if (type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(AEvent);
    return mouse->button() == Qt::LeftButton && ALabel->rect().contains(mouse->position().toPoint());
}
