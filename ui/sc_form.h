// Base of the program's modal dialogs: receives model notifications and opens
// centred over the window that opened it.
#pragma once

#include "ui/view_guard.h"

#include "core/observable.h"

#include <QDialog>

class TSCForm : public QDialog, public ISCView {
    Q_OBJECT
public:
    explicit TSCForm(QWidget* AParent = nullptr);

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    // Centres the form over the active window, or the screen without one.
    void CenterForm();

protected:
    void showEvent(QShowEvent* AEvent) override;
    virtual void FormShow() {}

    bool FSilent = false;

private:
    bool FCentred = false;
};
