// Status bar panels as labels: the bar gets as many as an index needs, each
// as wide as its text.
#pragma once

#include "ui/view_guard.h"

#include <QString>

class QLabel;
class QStatusBar;

void SetStatusPanel(QStatusBar* AStatusBar, int AIndex, const QString& AText);
// The panel at AIndex, or none.
QLabel* StatusPanel(QStatusBar* AStatusBar, int AIndex);
