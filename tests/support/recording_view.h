// A view double that records every notification it receives.
#pragma once

#include "core/observable.h"

#include <QStringList>

#include <vector>

class TRecordingView : public ISCView {
public:
    void DataChanged(TObject* ASender, const QString& AValueName) override
    {
        Senders.push_back(ASender);
        Names << AValueName;
    }
    void Clear()
    {
        Senders.clear();
        Names.clear();
    }

    std::vector<TObject*> Senders;
    QStringList Names;
};
