// Puts a schedule screen widget behind the model's screen hook. The model owns
// the adapter; the adapter owns the widget while it is off screen and deletes
// it at the end unless it already died with the container it was placed on.
#pragma once

#include "ui/view_guard.h"

#include "schedule/frame_editor.h"

#include <QLayout>
#include <QPointer>
#include <QWidget>

#include <memory>

// TFrame is a QWidget with DataChanged(TObject*, const QString&) and
// ScrollBox() (the scroll area the main window's wheel scrolls, or none).
template <class TFrame>
class TSCFrameEditor final : public ISCFrameEditor {
public:
    explicit TSCFrameEditor(std::unique_ptr<TFrame> AFrame) : FFrame(AFrame.release()) {}
    ~TSCFrameEditor() override { delete FFrame.data(); }
    TSCFrameEditor(const TSCFrameEditor&) = delete;
    TSCFrameEditor& operator=(const TSCFrameEditor&) = delete;

    TFrame* Frame() const { return FFrame.data(); }

    void DataChanged(TObject* ASender, const QString& AValueName) override
    {
        if (FFrame)
            FFrame->DataChanged(ASender, AValueName);
    }
    QObject* FrameParent() const override { return FFrame ? FFrame->parentWidget() : nullptr; }
    void PlaceOn(QObject* AParent) override
    {
        auto* container = qobject_cast<QWidget*>(AParent);
        if (!FFrame || !container)
            return;
        FFrame->setParent(container);
        if (container->layout())
            container->layout()->addWidget(FFrame);
        else
            FFrame->setGeometry(container->rect());
        FFrame->show();
    }
    void TakeOff() override
    {
        if (!FFrame)
            return;
        FFrame->hide();
        FFrame->setParent(nullptr);
    }
    QObject* ScrollBox() const override { return FFrame ? FFrame->ScrollBox() : nullptr; }

private:
    QPointer<TFrame> FFrame;
};
