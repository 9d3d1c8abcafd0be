#include "ui/worker/ps_day_frame.h"

#include "schedule/period/period_store.h"
#include "ui/keyboard_planning.h"

TPSDayFrame::TPSDayFrame(QWidget* AParent) : TPeriodDayFrameOf(QStringLiteral("PSDWPF"), true, AParent) {}

bool TPSDayFrame::IsChosenPerson(TObject* ASender) const
{
    const auto* person = dynamic_cast<const TPSPerson*>(ASender);
    return person && Day()->Schedule() && person->ID() == Day()->Schedule()->PersonID();
}

std::vector<int> TPSDayFrame::PlannedPersonIDs() const
{
    // He alone, and only on a day he works.
    if (!Day()->Schedule() || Day()->Workplaces()->Count() == 0)
        return {};
    return {Day()->Schedule()->PersonID()};
}

int TPSDayFrame::DraggedID(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TPSWorkplaceDragObjectEx*>(AData);
    return payload ? payload->WorkplaceID() : 0;
}

TDate TPSDayFrame::DraggedDay(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TPSDayWorkplaceDragObjectEx*>(AData);
    return payload ? payload->Day() : 0;
}

bool TPSDayFrame::InRegister(int AID) const
{
    return PeriodWorkplace(AID).has_value();
}

bool TPSDayFrame::AddToDay(int AID)
{
    return Day()->Schedule()->AddWorkplaceToDay(AID, Day()->Date());
}

std::vector<std::pair<int, QString>> TPSDayFrame::PickChoices() const
{
    std::vector<std::pair<int, QString>> choices;
    const TPSWorkplaceList* workplaces = Day()->Schedule()->Workplaces();
    for (int n = 0; n < workplaces->Count(); ++n) {
        const TPSWorkplace* workplace = workplaces->Items(n);
        choices.emplace_back(workplace->ID(), WorkplaceEntry(workplace->Shortcut(), workplace->Name()));
    }
    return choices;
}

QString TPSDayFrame::PickCaption() const
{
    return QStringLiteral("Workplace on %1 %2").arg(Day()->DayName(), Day()->DateStrWithoutYear());
}
