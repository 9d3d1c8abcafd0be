// Base of every schedule view: an embeddable group of controls that receives
// its model's notifications.
#pragma once

#include "ui/view_guard.h"

#include "core/observable.h"

#include <QWidget>

class TSCFrame : public QWidget, public ISCView {
    Q_OBJECT
public:
    explicit TSCFrame(QWidget* AParent = nullptr);

    void DataChanged(TObject* ASender, const QString& AValueName) override;

protected:
    bool FSilent = false;
};
