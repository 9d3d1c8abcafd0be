#include "ui/sc_label.h"

#include <QImage>

TSCLabel::TSCLabel(QWidget* AParent) : QLabel(AParent) {}

QPixmap TSCLabel::GetDragImages()
{
    if (!FDragImageMade) {
        FDragImageMade = true;
        if (width() > 0 && height() > 0) {
            // A one-bit copy of the label, inverted so it reads on any background.
            QImage image = grab().toImage().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
            image.invertPixels();
            FDragImage = QPixmap::fromImage(image);
        }
    }
    return FDragImage;
}

void TSCLabel::ClearDragImage()
{
    FDragImage = QPixmap();
    FDragImageMade = false;
}
