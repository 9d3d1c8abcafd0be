// The workplace schedule's workplace list: focusing a workplace shows its plan.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_list_frame.h"

class TWSWorkplaceList;

class TWSWorkplaceListFrame : public TPeriodListFrame {
    Q_OBJECT
public:
    explicit TWSWorkplaceListFrame(QWidget* AParent = nullptr);

    TWSWorkplaceList* Workplaces() const;
    void SetWorkplaces(TWSWorkplaceList* AValue);

protected:
    std::optional<TListPeriod> Period() const override;
    void AddRecord(TSCObject* ARecord) override;
    void EditEntry(int AID) override;
    void DeleteEntry(int AID, const QString& AMsg) override;
    void Print(const QString& AReportName, bool ASimple) override;
};
