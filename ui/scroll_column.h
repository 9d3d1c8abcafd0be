// The scrolling column the schedule views stack their panels in.
#pragma once

#include "ui/view_guard.h"

class QScrollArea;
class QVBoxLayout;
class QWidget;

struct TScrollColumn {
    QScrollArea* Box;
    QWidget* Content;
    // Stacks the panels top to bottom, each as wide as the area.
    QVBoxLayout* Layout;
};

// A frameless area "ScrollBox" of AParent that scrolls only vertically, 32
// pixels a step, around "ScrollContent".
TScrollColumn NewScrollColumn(QWidget* AParent);
