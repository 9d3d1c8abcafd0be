#include "data/history.h"

#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

namespace {
THistory* GHistory = nullptr;

const QString& NoStoreReason()
{
    static const QString reason = QStringLiteral("the data file could not be written.");
    return reason;
}

template <class TItem>
std::unique_ptr<TItem> CopyOf(const TItem* AItem)
{
    if (!AItem)
        return nullptr;
    auto copy = TSCObject::Create<TItem>();
    copy->Assign(*AItem);
    // A step outlives the editor that was open when it was recorded.
    copy->SetEditor(nullptr);
    return copy;
}

// Applies one side of a register step through the register's manager:
// AFrom is what the register holds now, ATo what it is to hold.
template <class TItem, class TMan>
bool ApplyRegisterStep(TMan* AMan, const TItem* AFrom, const TItem* ATo, TItem* (TMan::*AByKey)(int) const,
    bool (TMan::*AInsert)(TItem*), bool (TMan::*ARestore)(std::unique_ptr<TItem>&),
    bool (TMan::*ADelete)(int, std::unique_ptr<TItem>*), QString& AError)
{
    if (!AMan)
        return false;
    const int id = ATo ? ATo->ID() : AFrom->ID();
    TItem* current = (AMan->*AByKey)(-id);
    bool ok = false;
    if (!ATo) {
        ok = current && (AMan->*ADelete)(id, nullptr);
    } else if (!AFrom) {
        auto restored = CopyOf(ATo);
        ok = !current && (AMan->*ARestore)(restored);
    } else if (current) {
        // Every field the editor changed, in one write.
        auto before = CopyOf(current);
        TObject* editor = current->Editor();
        current->Assign(*ATo);
        current->SetEditor(editor);
        ok = (AMan->*AInsert)(current);
        if (!ok) {
            current->Assign(*before);
            current->SetEditor(editor);
        }
    }
    if (!ok)
        AError = AMan->StoreError().isEmpty() ? QStringLiteral("the entry is no longer as the step left it.")
                                              : AMan->StoreError();
    return ok;
}
} // namespace

// --- THistoryRelations ---

THistoryRelations::THistoryRelations(
    const QString& AText, std::vector<THistoryJob> AAdded, std::vector<THistoryJob> ARemoved)
    : THistoryStep(AText),
      FAdded(std::move(AAdded)),
      FRemoved(std::move(ARemoved))
{
}

bool THistoryRelations::Apply(bool AUndo, QString& AError)
{
    TJobMan* jobs = TJobMan::Instance();
    TPersonMan* persons = TPersonMan::Instance();
    TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    if (!jobs || !persons || !workplaces)
        return false;
    const std::vector<THistoryJob>& removing = AUndo ? FAdded : FRemoved;
    const std::vector<THistoryJob>& adding = AUndo ? FRemoved : FAdded;
    // Everything is checked before anything is written.
    for (const THistoryJob& job : adding) {
        if (!persons->Persons(-job.PersonID) || !workplaces->Workplaces(-job.WorkplaceID)) {
            AError = QStringLiteral("a worker or workplace of it is no longer in the register.");
            return false;
        }
    }
    jobs->BeginUpdate();
    for (const THistoryJob& job : removing)
        jobs->DeleteJob(job.Date, job.PersonID, job.WorkplaceID);
    for (const THistoryJob& job : adding)
        jobs->AddJob(job.Date, persons->Persons(-job.PersonID), workplaces->Workplaces(-job.WorkplaceID));
    if (!jobs->EndUpdate()) {
        AError = NoStoreReason();
        return false;
    }
    return true;
}

// --- THistoryRegisterStep ---

namespace {
bool ApplyToRegister(const TPerson* AFrom, const TPerson* ATo, QString& AError)
{
    return ApplyRegisterStep<TPerson, TPersonMan>(TPersonMan::Instance(), AFrom, ATo, &TPersonMan::Persons,
        &TPersonMan::InsertPerson, &TPersonMan::RestorePerson, &TPersonMan::DeletePerson, AError);
}

bool ApplyToRegister(const TWorkplace* AFrom, const TWorkplace* ATo, QString& AError)
{
    return ApplyRegisterStep<TWorkplace, TWorkplaceMan>(TWorkplaceMan::Instance(), AFrom, ATo,
        &TWorkplaceMan::Workplaces, &TWorkplaceMan::InsertWorkplace, &TWorkplaceMan::RestoreWorkplace,
        &TWorkplaceMan::DeleteWorkplace, AError);
}
} // namespace

template <class TItem>
THistoryRegisterStep<TItem>::THistoryRegisterStep(const QString& AText, const TItem* ABefore, const TItem* AAfter)
    : THistoryStep(AText),
      FBefore(CopyOf(ABefore)),
      FAfter(CopyOf(AAfter))
{
}

template <class TItem>
THistoryRegisterStep<TItem>::~THistoryRegisterStep() = default;

template <class TItem>
bool THistoryRegisterStep<TItem>::Apply(bool AUndo, QString& AError)
{
    return AUndo ? ApplyToRegister(FAfter.get(), FBefore.get(), AError)
                 : ApplyToRegister(FBefore.get(), FAfter.get(), AError);
}

template class THistoryRegisterStep<TPerson>;
template class THistoryRegisterStep<TWorkplace>;

// --- THistoryTemplate ---

THistoryTemplate::THistoryTemplate(const QString& AText, const QString& AName, TPairs ABefore, TPairs AAfter)
    : THistoryStep(AText),
      FName(AName),
      FBefore(std::move(ABefore)),
      FAfter(std::move(AAfter))
{
}

bool THistoryTemplate::Apply(bool AUndo, QString& AError)
{
    TMacroMan* macros = TMacroMan::Instance();
    if (!macros)
        return false;
    TMacro macro;
    macro.SetName(FName);
    for (const auto& [person, workplace] : AUndo ? FBefore : FAfter)
        macro.MacroJobs()->AddMacroJob(person, workplace);
    if (macros->PutMacro(&macro))
        return true;
    AError = macros->StoreError().isEmpty() ? NoStoreReason() : macros->StoreError();
    return false;
}

// --- THistory ---

THistory::THistory()
{
    FStack.setUndoLimit(StepLimit);
    GHistory = this;
}

THistory::~THistory()
{
    if (GHistory == this)
        GHistory = nullptr;
}

THistory* THistory::Instance()
{
    return GHistory;
}

void THistory::Record(std::unique_ptr<THistoryStep> AStep)
{
    if (AStep)
        FStack.push(AStep.release());
}

void THistory::RecordRelations(const QString& AText, std::vector<THistoryJob> AAdded, std::vector<THistoryJob> ARemoved)
{
    if (FGroupDepth > 0) {
        FGroupAdded.insert(FGroupAdded.end(), AAdded.begin(), AAdded.end());
        FGroupRemoved.insert(FGroupRemoved.end(), ARemoved.begin(), ARemoved.end());
        return;
    }
    if (!AAdded.empty() || !ARemoved.empty())
        Record(std::make_unique<THistoryRelations>(AText, std::move(AAdded), std::move(ARemoved)));
}

void THistory::BeginGroup(const QString& AText)
{
    if (FGroupDepth++ > 0)
        return;
    FGroupText = AText;
    FGroupDiscarded = false;
    FGroupAdded.clear();
    FGroupRemoved.clear();
}

void THistory::DiscardGroup()
{
    FGroupDiscarded = true;
}

void THistory::EndGroup()
{
    if (FGroupDepth == 0 || --FGroupDepth > 0)
        return;
    if (!FGroupDiscarded)
        RecordRelations(FGroupText, std::move(FGroupAdded), std::move(FGroupRemoved));
    FGroupAdded.clear();
    FGroupRemoved.clear();
}

void HistoryRecordRelation(bool AAdded, TDate ADate, int APersonID, int AWorkplaceID)
{
    THistory* history = THistory::Instance();
    if (!history)
        return;
    const TPerson* person = TPersonMan::Instance() ? TPersonMan::Instance()->Persons(-APersonID) : nullptr;
    const TWorkplace* workplace
        = TWorkplaceMan::Instance() ? TWorkplaceMan::Instance()->Workplaces(-AWorkplaceID) : nullptr;
    const QString text = QString::fromLatin1(AAdded ? "Add %1 to %2" : "Remove %1 from %2")
                             .arg(person ? person->Name() : QString(), workplace ? workplace->Name() : QString());
    std::vector<THistoryJob> jobs{{TruncDate(ADate), APersonID, AWorkplaceID}};
    if (AAdded)
        history->RecordRelations(text, std::move(jobs), {});
    else
        history->RecordRelations(text, {}, std::move(jobs));
}

THistoryGroup::THistoryGroup(const QString& AText)
{
    if (THistory* history = THistory::Instance())
        history->BeginGroup(AText);
}

THistoryGroup::~THistoryGroup()
{
    if (THistory* history = THistory::Instance())
        history->EndGroup();
}

QString THistory::UndoText() const
{
    return CanUndo() ? QStringLiteral("Undo ") + FStack.undoText() : QString();
}

QString THistory::RedoText() const
{
    return CanRedo() ? QStringLiteral("Redo ") + FStack.redoText() : QString();
}

bool THistory::Step(bool AUndo)
{
    FLastError.clear();
    const int index = AUndo ? FStack.index() - 1 : FStack.index();
    auto* step = dynamic_cast<THistoryStep*>(const_cast<QUndoCommand*>(FStack.command(index)));
    if (!step)
        return false;
    if (!step->Apply(AUndo, FLastError))
        return false;
    if (AUndo)
        FStack.undo();
    else
        FStack.redo();
    if (FApplied)
        FApplied();
    return true;
}

bool THistory::Undo()
{
    return Step(true);
}

bool THistory::Redo()
{
    return Step(false);
}

void THistory::Clear()
{
    FStack.clear();
}
