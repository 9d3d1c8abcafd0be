// A frame drawn around whichever widget inside a container has the keyboard
// focus, above that widget's own children, so a keyboard user sees where he is.
#pragma once

#include "ui/view_guard.h"

#include <QPointer>
#include <QWidget>

class TFocusFrame : public QWidget {
    Q_OBJECT
public:
    // Follows the focus among AContainer's descendants; the container owns it
    // while it frames nothing.
    explicit TFocusFrame(QWidget* AContainer);

    // The widget framed now; none while the focus is elsewhere.
    QWidget* Target() const { return FTarget; }

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void FocusChanged(QWidget* AOld, QWidget* ANow);
    void Frame(QWidget* ATarget);

    QWidget* FContainer;
    QPointer<QWidget> FTarget;
};
