// The worker schedule's worker list: focusing a worker shows his plan.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_list_frame.h"

class TPSPersonList;

class TPSPersonListFrame : public TPeriodListFrame {
    Q_OBJECT
public:
    explicit TPSPersonListFrame(QWidget* AParent = nullptr);

    TPSPersonList* Persons() const;
    void SetPersons(TPSPersonList* AValue);

protected:
    std::optional<TListPeriod> Period() const override;
    void AddRecord(TSCObject* ARecord) override;
    void EditEntry(int AID) override;
    void DeleteEntry(int AID, const QString& AMsg) override;
    void Print(const QString& AReportName, bool ASimple) override;
};
