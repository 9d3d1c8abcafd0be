#include "schedule/daily/ds_store.h"

#include "core/dialogs.h"
#include "schedule/daily/ds_data_store.h"

namespace {
IDSStore* GStore = nullptr;
}

IDSStore* DSStore() { return GStore ? GStore : DSDefaultStore(); }
void SetDSStore(IDSStore* AStore) { GStore = AStore; }

void DSShowSaveFailure()
{
    QString reason = DSStore()->LastError();
    if (reason.isEmpty())
        reason = QStringLiteral("the data store did not accept it.");
    ShowMessageBox(QStringLiteral("The change could not be saved: %1").arg(reason), mtError, mbOK);
}
