#include "ui/elided_text.h"

#include <QEvent>
#include <QLabel>

namespace {

const char* const SourceProperty = "ElideSource";
const char* const WidthProperty = "ElideWidth";
const char* const HintProperty = "ElideHint";

void Elide(QLabel* ALabel)
{
    const QString text = ALabel->property(SourceProperty).toString();
    const int width = ALabel->contentsRect().width() - 2 * ALabel->indent();
    ALabel->setProperty(WidthProperty, ALabel->width());
    const QString shown = width > 0 ? ALabel->fontMetrics().elidedText(text, Qt::ElideRight, width) : text;
    ALabel->setText(shown);
    ALabel->setToolTip(shown != text ? text : ALabel->property(HintProperty).toString());
}

class TElideOnResize : public QObject {
public:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override
    {
        if (AEvent->type() == QEvent::Resize)
            if (auto* label = qobject_cast<QLabel*>(AWatched))
                if (label->property(WidthProperty).toInt() != label->width())
                    Elide(label);
        return false;
    }
};

} // namespace

void SetElidedText(QLabel* ALabel, const QString& AText, const QString& AHint, bool AFollowResize)
{
    if (AFollowResize && !ALabel->property(SourceProperty).isValid()) {
        static TElideOnResize filter;
        ALabel->installEventFilter(&filter);
    }
    if (ALabel->property(SourceProperty).isValid() && ALabel->property(SourceProperty).toString() == AText
        && ALabel->property(WidthProperty).toInt() == ALabel->width()
        && ALabel->property(HintProperty).toString() == AHint)
        return;
    ALabel->setProperty(SourceProperty, AText);
    ALabel->setProperty(HintProperty, AHint);
    Elide(ALabel);
}

QString ElidedSource(const QLabel* ALabel)
{
    return ALabel->property(SourceProperty).toString();
}
