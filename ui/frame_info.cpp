#include "ui/frame_info.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {
// A soft rounded band behind the caption.
QPixmap BannerPicture(const QSize& ASize)
{
    QPixmap picture(ASize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, ASize.height());
    gradient.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    gradient.setColorAt(1, QColor(0xE6, 0xE6, 0xE6));
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, ASize.width() - 1, ASize.height() - 1), 6, 6);
    return picture;
}
} // namespace

TFrameInfo::TFrameInfo(QWidget* AParent) : QWidget(AParent)
{
    setObjectName(QStringLiteral("FrameInfo"));
    setFixedSize(361, 36);
    ImageInfo = new QLabel(this);
    ImageInfo->setObjectName(QStringLiteral("ImageInfo"));
    ImageInfo->setGeometry(0, 0, 361, 36);
    ImageInfo->setPixmap(BannerPicture(size()));

    LabelInfo = new QLabel(QStringLiteral("Logo, company and department"), this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setGeometry((361 - 325) / 2, 4, 325, 28);
    LabelInfo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = LabelInfo->font();
    font.setPixelSize(19);
    font.setBold(true);
    // A wider face than the drawn one must not cut the caption off.
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(LabelInfo->text()) > LabelInfo->width())
        font.setPixelSize(font.pixelSize() - 1);
    LabelInfo->setFont(font);
    LabelInfo->setStyleSheet(QStringLiteral("color: #C7C7C7; background: transparent;"));
}
