// A screen double for the period schedules: records what reaches it and
// where it is placed.
#pragma once

#include "schedule/frame_editor.h"

#include <QObject>
#include <QStringList>

#include <vector>

struct TFrameRecord {
    std::vector<TObject*> Senders;
    QStringList Names;
    int Made = 0;
    int Destroyed = 0;
    void Clear()
    {
        Senders.clear();
        Names.clear();
    }
    // The names that came from ASender, in order.
    QStringList NamesFrom(const TObject* ASender) const
    {
        QStringList names;
        for (size_t i = 0; i < Senders.size(); ++i)
            if (Senders[i] == ASender)
                names << Names[static_cast<qsizetype>(i)];
        return names;
    }
};

class TTestFrame final : public ISCFrameEditor {
public:
    explicit TTestFrame(TFrameRecord* ARecord) : FRecord(ARecord) { ++FRecord->Made; }
    ~TTestFrame() override { ++FRecord->Destroyed; }
    void DataChanged(TObject* ASender, const QString& AValueName) override
    {
        FRecord->Senders.push_back(ASender);
        FRecord->Names << AValueName;
    }
    QObject* FrameParent() const override { return FParent; }
    void PlaceOn(QObject* AParent) override { FParent = AParent; }
    void TakeOff() override { FParent = nullptr; }
    QObject* ScrollBox() const override { return const_cast<QObject*>(&FScrollBox); }

private:
    TFrameRecord* FRecord;
    QObject* FParent = nullptr;
    QObject FScrollBox;
};
