#include "ui/view_resources.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace {

// A head and shoulders, in the given colour; the out picture adds a red bar
// across, the partly out one half of it.
QPixmap WorkerPicture(const QColor& AColor, bool AOut, bool APartlyOut = false)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(AColor);
    painter.drawEllipse(QRectF(5, 1, 6, 6));
    painter.drawRoundedRect(QRectF(2.5, 8, 11, 7), 3, 3);
    if (AOut) {
        painter.setPen(QPen(QColor(200, 30, 30), 2));
        painter.drawLine(QPointF(2, 14), QPointF(14, 2));
    } else if (APartlyOut) {
        painter.setPen(QPen(QColor(200, 30, 30), 2));
        painter.drawLine(QPointF(8, 14), QPointF(14, 8));
    }
    return pixmap;
}

} // namespace

QCursor ProgramCursor(TSCCursor ACursor)
{
    return QCursor(ACursor == crHandGrab ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

QIcon SmallIcon(int AIndex)
{
    static const QIcon atWork(WorkerPicture(QColor(40, 90, 160), false));
    static const QIcon out(WorkerPicture(QColor(150, 150, 150), true));
    static const QIcon partlyOut(WorkerPicture(QColor(40, 90, 160), false, true));
    return AIndex == 1 ? out : (AIndex == 2 ? partlyOut : atWork);
}

QIcon StandardIcon(QStyle::StandardPixmap APixmap)
{
    static QHash<int, QIcon> icons;
    auto it = icons.find(APixmap);
    if (it == icons.end())
        it = icons.insert(APixmap, QApplication::style()->standardIcon(APixmap));
    return *it;
}

QIcon ButtonEditIcon()
{
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(60, 60, 60));
        for (int i = 0; i < 3; ++i)
            painter.drawEllipse(QRectF(2 + i * 4.5, 7, 3, 3));
        return QIcon(pixmap);
    }();
    return icon;
}

QFont LargeFont(const QFont& ABase, bool ABold, qreal AScale)
{
    QFont font = ABase;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * AScale);
    else
        font.setPixelSize(qRound(font.pixelSize() * AScale));
    font.setBold(ABold);
    return font;
}
