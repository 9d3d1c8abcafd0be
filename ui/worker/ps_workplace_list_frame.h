// The worker schedule's workplace list: workplaces are dragged from it onto
// the days, and a day's workplace dropped on it leaves that day.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_list_frame.h"

class TPSWorkplaceList;

class TPSWorkplaceListFrame : public TPeriodListFrame {
    Q_OBJECT
public:
    explicit TPSWorkplaceListFrame(QWidget* AParent = nullptr);

    TPSWorkplaceList* Workplaces() const;
    void SetWorkplaces(TPSWorkplaceList* AValue);

    bool AcceptsDrag(const QMimeData* AData) const override;
    bool DropPayload(const QMimeData* AData) override;

protected:
    std::optional<TListPeriod> Period() const override;
    void AddRecord(TSCObject* ARecord) override;
    void EditEntry(int AID) override;
    void DeleteEntry(int AID, const QString& AMsg) override;
    void Print(const QString& AReportName, bool ASimple) override;
    std::unique_ptr<QMimeData> NewDragObject(int AID) const override;
};
