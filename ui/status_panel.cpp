#include "ui/status_panel.h"

#include <QLabel>
#include <QStatusBar>

namespace {
QString PanelName(int AIndex)
{
    return QStringLiteral("StatusPanel%1").arg(AIndex);
}
} // namespace

QLabel* StatusPanel(QStatusBar* AStatusBar, int AIndex)
{
    return AStatusBar->findChild<QLabel*>(PanelName(AIndex), Qt::FindDirectChildrenOnly);
}

void SetStatusPanel(QStatusBar* AStatusBar, int AIndex, const QString& AText)
{
    for (int i = 0; i < AIndex + 2; ++i) {
        if (StatusPanel(AStatusBar, i))
            continue;
        auto* panel = new QLabel(AStatusBar);
        panel->setObjectName(PanelName(i));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFixedWidth(0);
        AStatusBar->addWidget(panel);
    }
    QLabel* panel = StatusPanel(AStatusBar, AIndex);
    panel->setText(AText);
    panel->setFixedWidth(AText.isEmpty() ? 0 : panel->fontMetrics().horizontalAdvance(AText) + 12);
}
