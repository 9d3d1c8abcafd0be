#include "data/data_session.h"

TDataSession::TDataSession() : Setup(std::make_unique<TSetup>())
{
    OpenManagers();
}

TDataSession::TDataSession(const QString& AFolder, const QString& AServer) : Setup(std::make_unique<TSetup>())
{
    Setup->Data()->SetDataDirKind(sddkOtherDataFolder);
    Setup->Data()->SetOtherDataFolder(AFolder);
    OpenManagers(AServer);
}

void TDataSession::OpenManagers(const QString& AServer)
{
    DataMan = std::make_unique<TDataMan>();
    if (!AServer.isEmpty())
        DataMan->SetDataServer(AServer);
    Persons = std::make_unique<TPersonMan>();
    Workplaces = std::make_unique<TWorkplaceMan>();
    Jobs = std::make_unique<TJobMan>();
    Macros = std::make_unique<TMacroMan>();
}

TDataSession::~TDataSession()
{
    Macros.reset();
    Jobs.reset();
    Workplaces.reset();
    Persons.reset();
    DataMan.reset();
    Setup.reset();
}
