#include "ui/history_actions.h"

#include "data/history.h"
#include "schedule/register_store.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolButton>

#include <tuple>

namespace {
QToolButton* NewButton(QAction* AAction, const char* AName)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(AName));
    button->setDefaultAction(AAction);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Clicked with the mouse, the button leaves the focus where it was.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

THistoryActions::THistoryActions(QMainWindow* AWindow, std::function<void()> AApplied)
    : QObject(AWindow),
      FWindow(AWindow),
      FUndo(new QAction(QStringLiteral("Undo"), AWindow)),
      FRedo(new QAction(QStringLiteral("Redo"), AWindow))
{
    FUndo->setObjectName(QStringLiteral("ActionUndo"));
    FRedo->setObjectName(QStringLiteral("ActionRedo"));
    FUndo->setShortcut(QKeySequence::Undo);
    FRedo->setShortcut(QKeySequence::Redo);
    for (QAction* action : {FUndo, FRedo}) {
        // On every screen, also while a list has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        AWindow->addAction(action);
    }
    connect(FUndo, &QAction::triggered, this, [this] { Step(true); });
    connect(FRedo, &QAction::triggered, this, [this] { Step(false); });
    FUndoButton = NewButton(FUndo, "TBUndo");
    FRedoButton = NewButton(FRedo, "TBRedo");
    AWindow->statusBar()->addPermanentWidget(FUndoButton);
    AWindow->statusBar()->addPermanentWidget(FRedoButton);
    if (THistory* history = THistory::Instance()) {
        history->SetAppliedHandler(std::move(AApplied));
        connect(&history->Stack(), &QUndoStack::indexChanged, this, &THistoryActions::Update);
        // A history cleared with every step undone keeps its index.
        connect(&history->Stack(), &QUndoStack::canRedoChanged, this, &THistoryActions::Update);
    }
    Update();
}

THistoryActions::~THistoryActions()
{
    if (THistory* history = THistory::Instance())
        history->SetAppliedHandler(nullptr);
}

void THistoryActions::Update()
{
    const THistory* history = THistory::Instance();
    const QString undo = history ? history->UndoText() : QString();
    const QString redo = history ? history->RedoText() : QString();
    for (auto [action, text, fallback] : {std::tuple{FUndo, undo, QStringLiteral("Nothing to undo")},
             std::tuple{FRedo, redo, QStringLiteral("Nothing to redo")}}) {
        action->setEnabled(!text.isEmpty());
        action->setToolTip(text.isEmpty() ? fallback : text);
        action->setStatusTip(text);
    }
}

void THistoryActions::Step(bool AUndo)
{
    THistory* history = THistory::Instance();
    if (!history)
        return;
    const bool done = AUndo ? history->Undo() : history->Redo();
    if (!done && !history->LastError().isEmpty())
        ShowSaveFailure(history->LastError());
    Update();
}
