#include "ui/workplace/ws_workplace_list_frame.h"

#include "data/workplace_man.h"
#include "schedule/workplace/workplace_schedule.h"

TWSWorkplaceListFrame::TWSWorkplaceListFrame(QWidget* AParent) : TPeriodListFrame(false, false, AParent)
{
    setObjectName(QStringLiteral("WSWorkplaceListFrame"));
}

TWSWorkplaceList* TWSWorkplaceListFrame::Workplaces() const
{
    return static_cast<TWSWorkplaceList*>(List());
}

void TWSWorkplaceListFrame::SetWorkplaces(TWSWorkplaceList* AValue)
{
    SetList(AValue);
}

std::optional<TListPeriod> TWSWorkplaceListFrame::Period() const
{
    return PeriodOf(Workplaces() ? Workplaces()->Schedule() : nullptr);
}

void TWSWorkplaceListFrame::AddRecord(TSCObject* ARecord)
{
    Workplaces()->AddWorkplace(static_cast<TWorkplace*>(ARecord), true, true);
}

void TWSWorkplaceListFrame::EditEntry(int AID)
{
    Workplaces()->EditWorkplace(AID);
}

void TWSWorkplaceListFrame::DeleteEntry(int AID, const QString& AMsg)
{
    Workplaces()->DeleteWorkplace(AID, AMsg);
}

void TWSWorkplaceListFrame::Print(const QString& AReportName, bool ASimple)
{
    Workplaces()->Print(AReportName, ASimple);
}
