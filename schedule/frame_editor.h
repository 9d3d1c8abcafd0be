// The hook through which a schedule model owns and shows its screen without
// knowing the view classes: the views install a factory; the model keeps the
// made screen, places it on a container and takes it off again.
#pragma once

#include "core/observable.h"

#include <QObject>

#include <functional>
#include <memory>

// A screen as its model sees it. The model owns it; an implementation whose
// widget may die with its parent must notice that (a QPointer does).
class ISCFrameEditor : public ISCView {
public:
    // The container the screen is placed on, or none.
    virtual QObject* FrameParent() const = 0;
    // Places the screen on AParent and shows it.
    virtual void PlaceOn(QObject* AParent) = 0;
    // Hides the screen and takes it off its parent.
    virtual void TakeOff() = 0;
    // The scroll area the main window scrolls with the mouse wheel.
    virtual QObject* ScrollBox() const = 0;
};

template <class TSchedule>
using TSCFrameEditorFactory = std::function<std::unique_ptr<ISCFrameEditor>(TSchedule*)>;

// Owns the screen of one model.
class TSCFrameEditorHost {
public:
    ~TSCFrameEditorHost() { Hide(nullptr); }

    ISCFrameEditor* Frame() const { return FFrame.get(); }
    TObject* Editor() const { return FFrame.get(); }
    // True without a screen, or when it is placed on nothing.
    bool CanShow() const { return !FFrame || !FFrame->FrameParent(); }
    // Makes the screen once (through AMake), places it on AParent and hands
    // back its scroll area; nothing without a parent or a screen.
    void Show(QObject* AParent, QObject** AScrollBox, const std::function<std::unique_ptr<ISCFrameEditor>()>& AMake)
    {
        if (!AParent)
            return;
        if (!FFrame && AMake)
            FFrame = AMake();
        if (!FFrame)
            return;
        if (AScrollBox)
            *AScrollBox = FFrame->ScrollBox();
        FFrame->PlaceOn(AParent);
    }
    // Takes the screen off AParent, or off anything when AParent is none.
    void Hide(QObject* AParent)
    {
        if (FFrame && FFrame->FrameParent() && (!AParent || FFrame->FrameParent() == AParent))
            FFrame->TakeOff();
    }
    void Destroy()
    {
        Hide(nullptr);
        FFrame.reset();
    }

private:
    std::unique_ptr<ISCFrameEditor> FFrame;
};
