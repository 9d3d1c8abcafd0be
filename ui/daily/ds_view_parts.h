// Building blocks the daily schedule's views share for their panels.
#pragma once

#include "ui/view_guard.h"

#include <QHBoxLayout>
#include <QMargins>
#include <QWidget>

// Makes APanel a named child of AParent whose controls stand in a row with the
// given margins and spacing; returns that row for the controls.
inline QHBoxLayout* NewRowPanel(
    QWidget*& APanel, QWidget* AParent, const QString& AName, const QMargins& AMargins, int ASpacing)
{
    APanel = new QWidget(AParent);
    APanel->setObjectName(AName);
    auto* row = new QHBoxLayout(APanel);
    row->setContentsMargins(AMargins);
    row->setSpacing(ASpacing);
    return row;
}
