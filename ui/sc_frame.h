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
    // The binding rule: a view is the Editor of the model object it shows and
    // gives that up when it is bound elsewhere or goes, so no model keeps a
    // dangling view. BindItem rebinds AField to AValue; ReleaseItem lets AItem
    // go if it still names this view.
    template <class TItem>
    void BindItem(TItem*& AField, TItem* AValue)
    {
        if (AField != AValue)
            ReleaseItem(AField);
        if (AValue)
            AValue->SetEditor(this);
        AField = AValue;
    }
    template <class TItem>
    void ReleaseItem(TItem* AItem)
    {
        if (AItem && AItem->Editor() == this)
            AItem->SetEditor(nullptr);
    }

    bool FSilent = false;
};
