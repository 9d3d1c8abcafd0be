// A label that supplies its own black-and-white picture while it is dragged,
// made once at its first drag and reused afterwards.
#pragma once

#include "ui/view_guard.h"

#include <QLabel>
#include <QPixmap>

class TSCLabel : public QLabel {
    Q_OBJECT
public:
    explicit TSCLabel(QWidget* AParent = nullptr);

    // The drag picture; null when the label has nothing to show.
    QPixmap GetDragImages();
    // Makes the picture anew at the next drag (the label shows another item).
    void ClearDragImage();

private:
    QPixmap FDragImage;
    bool FDragImageMade = false;
};
