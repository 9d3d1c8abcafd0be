#include "data/macro_man.h"

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/write_refusal.h"

namespace {
TMacroMan* GMacroMan = nullptr;
const QString FileName = QStringLiteral("Macros.cds");
} // namespace

TMacroJob* TMacroJobList::AddMacroJob(int APersonID, int AWorkplaceID)
{
    if (APersonID < 1 || AWorkplaceID < 1)
        return nullptr;
    auto key = [](int APerson, int AWorkplace) { return quint64(quint32(APerson)) << 32 | quint32(AWorkplace); };
    if (FPairsStamp != Changes()) {
        FPairs.clear();
        for (int i = 0; i < Count(); ++i)
            FPairs.insert(key(Items(i)->PersonID(), Items(i)->WorkplaceID()));
    }
    if (FPairs.count(key(APersonID, AWorkplaceID)))
        for (int i = 0; i < Count(); ++i) {
            TMacroJob* job = Items(i);
            if (job->PersonID() == APersonID && job->WorkplaceID() == AWorkplaceID)
                return job;
        }
    auto job = TSCObject::Create<TMacroJob>();
    job->FOwnerList = this;
    job->FPersonID = APersonID;
    job->FWorkplaceID = AWorkplaceID;
    TMacroJob* added = job.get();
    Add(std::move(job));
    FPairs.insert(key(APersonID, AWorkplaceID));
    FPairsStamp = Changes();
    return added;
}

TMacro::TMacro() : FMacroJobs(TSCList::Create<TMacroJobList>())
{
    FMacroJobs->FOwnerMacro = this;
}

std::vector<std::pair<int, int>> TMacro::Pairs() const
{
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < FMacroJobs->Count(); ++i)
        pairs.emplace_back(FMacroJobs->Items(i)->PersonID(), FMacroJobs->Items(i)->WorkplaceID());
    return pairs;
}

void TMacro::SetName(const QString& AValue)
{
    FName = TMacroMan::NormalName(AValue);
}

// --- TMacroMan ---

TFieldDefs TMacroMan::FieldDefs()
{
    return {{QStringLiteral("Name"), ftString, TMacro::MaxNameLength}, {QStringLiteral("PersonID"), ftInteger, 0},
        {QStringLiteral("WorkplaceID"), ftInteger, 0}};
}

QString TMacroMan::NormalName(const QString& AName)
{
    // Cut before comparing, so a long name finds the template stored under it.
    return TrimBlanks(CutText(TrimBlanks(AName), TMacro::MaxNameLength));
}

TMacroMan::TMacroMan()
{
    DSMacrosDef.SetFieldDefs(FieldDefs());
    GMacroMan = this;
    OpenDBFiles();
}

TMacroMan::~TMacroMan()
{
    CloseDBFiles();
    if (GMacroMan == this)
        GMacroMan = nullptr;
}

TMacroMan* TMacroMan::Instance()
{
    return GMacroMan;
}

void TMacroMan::OpenDBFiles()
{
    DSMacros.Close();
    AttachTable(DSMacros, FileName);
    TDataMan::CheckDBStructure(DSMacros, DSMacrosDef);
    DSMacros.ChangedElsewhere();
    // A template passes such pairs over.
    if (DSMacros.Active() && !DSMacros.InMemory())
        TDataMan::ReportUnusableRows(DSMacros.FileName(),
            DSMacros.UnusableRowCount({QStringLiteral("PersonID"), QStringLiteral("WorkplaceID")}));
    TTableFilter filter;
    filter.Accept = [this](const TTable& ADataSet) {
        bool accept = false;
        DSMacrosFilterRecord(ADataSet, accept);
        return accept;
    };
    DSMacros.SetFilter(filter);
    DSMacros.SetFiltered(false);
}

bool TMacroMan::CatchUp()
{
    return DSMacros.ChangedElsewhere();
}

void TMacroMan::CloseDBFiles()
{
    DSMacros.Close();
}

void TMacroMan::SetFilterName(const QString& AName)
{
    FFilterMacroJobName = UpperText(NormalName(AName));
}

void TMacroMan::DSMacrosFilterRecord(const TTable& ADataSet, bool& AAccept) const
{
    const QVariant name = ADataSet.FieldValue(QStringLiteral("Name"));
    AAccept = !name.isNull() && UpperText(name.toString()) == FFilterMacroJobName;
}

std::unique_ptr<TMacro> TMacroMan::GetMacro(const QString& AName)
{
    if (NormalName(AName).isEmpty())
        return nullptr;
    auto macro = TSCObject::Create<TMacro>();
    macro->SetName(AName);
    SetFilterName(AName);
    bool found = DSMacros.FindFirst();
    while (found) {
        const QVariant person = DSMacros.FieldValue(QStringLiteral("PersonID"));
        const QVariant workplace = DSMacros.FieldValue(QStringLiteral("WorkplaceID"));
        if (!person.isNull() && !workplace.isNull() && IsUsableID(person.toInt()) && IsUsableID(workplace.toInt()))
            macro->MacroJobs()->AddMacroJob(person.toInt(), workplace.toInt());
        found = DSMacros.FindNext();
    }
    if (macro->MacroJobs()->Count() == 0)
        return nullptr;
    return macro;
}

bool TMacroMan::GetMacroNames(QStringList* AList)
{
    if (!AList)
        return false;
    QStringList upper;
    for (const QString& name : *AList)
        upper << UpperText(name);
    DSMacros.SetFiltered(false);
    bool more = DSMacros.Active() && DSMacros.First();
    while (more && !DSMacros.Eof()) {
        const QString name = DSMacros.FieldValue(QStringLiteral("Name")).toString();
        if (!name.isEmpty() && !upper.contains(UpperText(name))) {
            AList->append(name);
            upper << UpperText(name);
        }
        more = DSMacros.Next();
    }
    return true;
}

std::unique_ptr<TMacro> TMacroMan::GetSystemMacro(TDate ADate)
{
    TJobMan* jobs = TJobMan::Instance();
    if (ADate <= 0 || !jobs)
        return nullptr;
    jobs->SetDateFrom(ADate);
    jobs->SetDateTo(ADate);
    jobs->SetPersonID(0);
    jobs->SetWorkplaceID(0);
    const std::vector<std::pair<int, int>> pairs = jobs->JobPairs();
    if (pairs.empty())
        return nullptr;
    auto macro = TSCObject::Create<TMacro>();
    macro->SetName(ShortDateText(ADate));
    for (const auto& [personID, workplaceID] : pairs)
        macro->MacroJobs()->AddMacroJob(personID, workplaceID);
    return macro;
}

bool TMacroMan::PutMacro(const TMacro* AMacro)
{
    FStoreError.clear();
    if (!AMacro || AMacro->Name().isEmpty())
        return false;
    if (!DSMacros.CanModify()) {
        FStoreError = WriteRefusal(DSMacros);
        return false;
    }
    for (int attempt = 0;; ++attempt) {
        if (StoreMacroRows(AMacro)) {
            FStoreError.clear();
            return true;
        }
        FStoreError = WriteRefusal(DSMacros);
        const bool again = DSMacros.LostRace() && attempt < TTable::RaceRetries;
        DSMacros.CancelUpdates();
        // On a server another copy may store the same name side by side:
        // made again, the later one replaces the pairs the earlier stored.
        if (!again)
            return false;
    }
}

bool TMacroMan::StoreMacroRows(const TMacro* AMacro)
{
    // The rows of that name are read under the write lock: another copy
    // saving the same name at once cannot leave both sets of pairs.
    bool ok = DSMacros.Begin();
    SetFilterName(AMacro->Name());
    while (ok && DSMacros.FindFirst())
        ok = DSMacros.Delete();
    for (int i = 0; ok && i < AMacro->MacroJobs()->Count(); ++i) {
        const TMacroJob* job = AMacro->MacroJobs()->Items(i);
        DSMacros.Append();
        ok = DSMacros.SetFieldValue(QStringLiteral("Name"), AMacro->Name())
             && DSMacros.SetFieldValue(QStringLiteral("PersonID"), job->PersonID())
             && DSMacros.SetFieldValue(QStringLiteral("WorkplaceID"), job->WorkplaceID()) && DSMacros.Post();
    }
    // Saved at once like every other change, all pairs or none.
    return ok && DSMacros.Save();
}
