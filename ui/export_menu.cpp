#include "ui/export_menu.h"

#include "core/dialogs.h"
#include "ui/drop_down_button.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include <optional>

QToolButton* NewExportButton(QWidget* AParent, bool AWithPlan, TExportHandler AHandler)
{
    auto* menu = new QMenu(AParent);
    menu->setObjectName(QStringLiteral("PUMenuExport"));
    auto entry = [&](const char* AName, const QString& ACaption, std::optional<TExportFormat> AFormat) {
        QAction* action = menu->addAction(ACaption);
        action->setObjectName(QString::fromLatin1(AName));
        QObject::connect(
            action, &QAction::triggered, AParent, [AHandler, AFormat] { AHandler(AFormat ? &*AFormat : nullptr); });
    };
    entry("ActionExportCsv", QStringLiteral("Spreadsheet (CSV)…"), efCsv);
    entry("ActionExportICalendar", QStringLiteral("Calendar (iCalendar)…"), efICalendar);
    if (AWithPlan) {
        menu->addSeparator();
        entry("ActionExportPlan", QStringLiteral("Export plan…"), std::nullopt);
    }
    QToolButton* button = NewDropDownButton(AParent, QStringLiteral("TBExport"), QStringLiteral("Export"),
        QStringLiteral("Export the plan to a spreadsheet or a calendar file"), menu);
    button->setIcon(QIcon::fromTheme(QStringLiteral("document-export"), StandardIcon(QStyle::SP_ArrowForward)));
    return button;
}

void ShowExportFailure(const QString& AError)
{
    if (!AError.isEmpty())
        ShowMessageBox(AError, mtError, mbOK);
}
