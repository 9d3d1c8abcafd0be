#include "schedule/daily/ds_store.h"

#include "core/dialogs.h"

namespace {
IDSStore* GStore = nullptr;
}

IDSStore* DSStore() { return GStore; }
void SetDSStore(IDSStore* AStore) { GStore = AStore; }

void DSShowSaveFailure()
{
    QString reason = GStore ? GStore->LastError() : QString();
    if (reason.isEmpty())
        reason = QStringLiteral("the data store did not accept it.");
    ShowMessageBox(QStringLiteral("The change could not be saved: %1").arg(reason), mtError, mbOK);
}
