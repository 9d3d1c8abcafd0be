// The banner shown in the note area of the schedule pages while no company
// text has been entered yet.
#pragma once

#include "ui/view_guard.h"

#include <QWidget>

class QLabel;

class TFrameInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFrameInfo(QWidget* AParent = nullptr);

private:
    QLabel* ImageInfo;
    QLabel* LabelInfo;
};
