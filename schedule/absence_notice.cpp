#include "schedule/absence_notice.h"

#include <set>

namespace {

std::function<void(const QString&)>& Sink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

QString RangeText(TDate AFrom, TDate ATo)
{
    if (ATo <= AFrom)
        return ShortDateText(AFrom);
    // The year once, when both days share it.
    const bool sameYear = OleToDate(AFrom).year() == OleToDate(ATo).year();
    return (sameYear ? DateToStrWithoutYear(AFrom) : ShortDateText(AFrom)) + QChar(0x2013) + ShortDateText(ATo);
}

} // namespace

QString AbsenceText(const TRegisterPersonRecord& ARecord)
{
    QString text = QStringLiteral("%1 is away %2").arg(ARecord.Name, RangeText(ARecord.DateOutFrom, ARecord.DateOutTo));
    const QString note = ARecord.NoteOut.simplified();
    if (!note.isEmpty())
        text += QStringLiteral(": ") + note;
    return text;
}

QStringList AbsenceTexts(const TPersonRecordStore* AStore, TDate ADay, const std::vector<int>& APersonIDs)
{
    QStringList texts;
    if (!AStore)
        return texts;
    std::set<int> told;
    for (const int id : APersonIDs) {
        // Asked of thousands after a copied day: the few away are remembered.
        if (!AStore->PersonIsOut(id, ADay) || !told.insert(id).second)
            continue;
        if (const auto record = AStore->PersonRecord(id))
            texts << AbsenceText(*record);
    }
    return texts;
}

QString AbsenceNotice(const QStringList& ATexts)
{
    if (ATexts.isEmpty())
        return QString();
    if (ATexts.size() == 1)
        return ATexts.front();
    return QStringLiteral("%1 (and %2 more away)").arg(ATexts.front()).arg(ATexts.size() - 1);
}

void SetPlanNoticeSink(std::function<void(const QString&)> ASink)
{
    Sink() = std::move(ASink);
}

void ShowPlanNotice(const QString& AText)
{
    if (Sink())
        Sink()(AText);
}

bool TellAbsentPlanned(const TPersonRecordStore* AStore, TDate ADay, const std::vector<int>& APersonIDs)
{
    const QStringList texts = AbsenceTexts(AStore, ADay, APersonIDs);
    if (texts.isEmpty())
        return false;
    ShowPlanNotice(AbsenceNotice(texts));
    return true;
}
