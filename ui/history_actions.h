// Undo and redo in the main window: the two actions with the platform's keys,
// working on every screen, and their tool buttons in the status bar, which
// say what they would do.
#pragma once

#include "ui/view_guard.h"

#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class QToolButton;

class THistoryActions : public QObject {
    Q_OBJECT
public:
    // AApplied runs after a step was undone or redone, for the screens to
    // read it.
    THistoryActions(QMainWindow* AWindow, std::function<void()> AApplied);
    ~THistoryActions() override;

    QAction* Undo() const { return FUndo; }
    QAction* Redo() const { return FRedo; }
    // Follows the history: texts, tips and whether there is anything to do.
    void Update();

private:
    void Step(bool AUndo);

    QMainWindow* FWindow;
    QAction* FUndo;
    QAction* FRedo;
    QToolButton* FUndoButton;
    QToolButton* FRedoButton;
};
