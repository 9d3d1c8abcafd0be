#include "ui/scroll_column.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

TScrollColumn NewScrollColumn(QWidget* AParent)
{
    TScrollColumn column;
    column.Box = new QScrollArea(AParent);
    column.Box->setObjectName(QStringLiteral("ScrollBox"));
    column.Box->setFrameShape(QFrame::NoFrame);
    column.Box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column.Box->verticalScrollBar()->setSingleStep(32);
    column.Box->setWidgetResizable(true);
    column.Content = new QWidget(column.Box);
    column.Content->setObjectName(QStringLiteral("ScrollContent"));
    column.Layout = new QVBoxLayout(column.Content);
    column.Layout->setContentsMargins(0, 0, 0, 0);
    column.Layout->setSpacing(0);
    column.Box->setWidget(column.Content);
    return column;
}
