// The program's history: one step per change a user made, undone and redone
// through the managers as ordinary durable changes, on Qt's undo stack.
#pragma once

#include "core/utils.h"

#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class TPerson;
class TWorkplace;

// A change that can be applied either way. Apply writes the whole change in
// one durable commit or nothing, and says why when it cannot.
class THistoryStep : public QUndoCommand {
public:
    explicit THistoryStep(const QString& AText) : QUndoCommand(AText) {}
    virtual bool Apply(bool AUndo, QString& AError) = 0;

    // The stack's own calls do nothing: the history applies a step itself and
    // moves the stack only once it succeeded.
    void undo() override {}
    void redo() override {}
};

// One relation: the day, the worker and the workplace.
struct THistoryJob {
    TDate Date = 0;
    int PersonID = 0;
    int WorkplaceID = 0;
    bool operator==(const THistoryJob& A) const = default;
};

// Relations added and removed together: a drop, a drag back, a template, a
// "Clear all", a copied day.
class THistoryRelations : public THistoryStep {
public:
    THistoryRelations(const QString& AText, std::vector<THistoryJob> AAdded, std::vector<THistoryJob> ARemoved);
    bool Apply(bool AUndo, QString& AError) override;

private:
    std::vector<THistoryJob> FAdded;
    std::vector<THistoryJob> FRemoved;
};

// A worker or workplace added (no before), edited or deleted (no after); a
// deleted one comes back under its own ID.
template <class TItem>
class THistoryRegisterStep : public THistoryStep {
public:
    THistoryRegisterStep(const QString& AText, const TItem* ABefore, const TItem* AAfter);
    ~THistoryRegisterStep() override;
    bool Apply(bool AUndo, QString& AError) override;

private:
    std::unique_ptr<TItem> FBefore;
    std::unique_ptr<TItem> FAfter;
};
using THistoryPerson = THistoryRegisterStep<TPerson>;
using THistoryWorkplace = THistoryRegisterStep<TWorkplace>;
extern template class THistoryRegisterStep<TPerson>;
extern template class THistoryRegisterStep<TWorkplace>;

// A template saved, overwritten or removed: its (worker, workplace) pairs
// before and after (none: no such template).
class THistoryTemplate : public THistoryStep {
public:
    using TPairs = std::vector<std::pair<int, int>>;
    THistoryTemplate(const QString& AText, const QString& AName, TPairs ABefore, TPairs AAfter);
    bool Apply(bool AUndo, QString& AError) override;

private:
    QString FName;
    TPairs FBefore;
    TPairs FAfter;
};

class THistory;

// Records one relation added or removed, named by its worker and workplace,
// when the program keeps a history.
void HistoryRecordRelation(bool AAdded, TDate ADate, int APersonID, int AWorkplaceID);

// A group of the history for a scope: a "Clear all", a template applied.
class THistoryGroup {
public:
    explicit THistoryGroup(const QString& AText);
    ~THistoryGroup();
    THistoryGroup(const THistoryGroup&) = delete;
    THistoryGroup& operator=(const THistoryGroup&) = delete;
};

class THistory {
public:
    // The steps the session keeps.
    static constexpr int StepLimit = 200;

    THistory();
    ~THistory();
    THistory(const THistory&) = delete;
    THistory& operator=(const THistory&) = delete;

    // The history in force (none until the program made one).
    static THistory* Instance();

    // Records a step that was done already; inside a group, relation steps
    // join the group's one step.
    void Record(std::unique_ptr<THistoryStep> AStep);
    // Relation changes the managers accepted, as one step named AText.
    void RecordRelations(const QString& AText, std::vector<THistoryJob> AAdded, std::vector<THistoryJob> ARemoved);
    // What is recorded between BeginGroup and the matching EndGroup makes
    // one step named AText; DiscardGroup drops it (its write failed).
    void BeginGroup(const QString& AText);
    void DiscardGroup();
    void EndGroup();
    bool CanUndo() const { return FStack.canUndo(); }
    bool CanRedo() const { return FStack.canRedo(); }
    // "Undo Clear all 09/12/2026", empty when there is nothing to undo.
    QString UndoText() const;
    QString RedoText() const;
    // False when the step could not be applied: nothing changed, the step
    // stays where it was and LastError says why.
    bool Undo();
    bool Redo();
    QString LastError() const { return FLastError; }
    // Forgets every step: the IDs they name may be gone (a folder move, a
    // maintenance, the tables read again).
    void Clear();
    // Called after every undo or redo that changed data, for the screens to
    // show it.
    void SetAppliedHandler(std::function<void()> AHandler) { FApplied = std::move(AHandler); }
    QUndoStack& Stack() { return FStack; }

private:
    bool Step(bool AUndo);

    QUndoStack FStack;
    QString FLastError;
    int FGroupDepth = 0;
    bool FGroupDiscarded = false;
    QString FGroupText;
    std::vector<THistoryJob> FGroupAdded;
    std::vector<THistoryJob> FGroupRemoved;
    std::function<void()> FApplied;
};
