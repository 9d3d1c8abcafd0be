#include "ui/workplace/ws_day_frame.h"

#include "schedule/period/period_store.h"
#include "ui/keyboard_planning.h"

TWSDayFrame::TWSDayFrame(QWidget* AParent) : TPeriodDayFrameOf(QStringLiteral("WSDPF"), false, AParent) {}

std::vector<int> TWSDayFrame::PlannedPersonIDs() const
{
    std::vector<int> ids;
    for (int n = 0; n < Day()->Persons()->Count(); ++n)
        ids.push_back(Day()->Persons()->Items(n)->ID());
    return ids;
}

int TWSDayFrame::DraggedID(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TWSPersonDragObjectEx*>(AData);
    return payload ? payload->PersonID() : 0;
}

TDate TWSDayFrame::DraggedDay(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TWSDayPersonDragObjectEx*>(AData);
    return payload ? payload->Day() : 0;
}

bool TWSDayFrame::InRegister(int AID) const
{
    return PeriodPerson(AID).has_value();
}

bool TWSDayFrame::AddToDay(int AID)
{
    return Day()->Schedule()->AddPersonToDay(AID, Day()->Date());
}

std::vector<std::pair<int, QString>> TWSDayFrame::PickChoices() const
{
    std::vector<std::pair<int, QString>> choices;
    const TWSPersonList* persons = Day()->Schedule()->Persons();
    for (int n = 0; n < persons->Count(); ++n)
        choices.emplace_back(persons->Items(n)->ID(), persons->Items(n)->Name());
    return choices;
}

QString TWSDayFrame::PickCaption() const
{
    return QStringLiteral("Worker on %1 %2").arg(Day()->DayName(), Day()->DateStrWithoutYear());
}
