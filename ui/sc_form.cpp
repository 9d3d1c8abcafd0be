#include "ui/sc_form.h"

#include "core/dialogs.h"

#include <QApplication>
#include <QScreen>
#include <QShowEvent>

TSCForm::TSCForm(QWidget* AParent) : QDialog(AParent) {}

void TSCForm::DataChanged(TObject*, const QString&) {}

void TSCForm::CenterForm()
{
    std::optional<QRect> active;
    QWidget* window = QApplication::activeWindow();
    if (window && window != this)
        active = window->frameGeometry();
    const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    move(CenterFormPosition(active, screenRect, frameGeometry().size()));
}

void TSCForm::showEvent(QShowEvent* AEvent)
{
    if (!FCentred && !AEvent->spontaneous()) {
        FCentred = true;
        CenterForm();
    }
    QDialog::showEvent(AEvent);
    FormShow();
}
