#include "support/test_env.h"

#include "core/dialogs.h"
#include "core/program_info.h"
#include "core/screen.h"
#include "core/utils.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {
std::unique_ptr<QTemporaryDir> RootDir;
TScriptedDialogs ScriptedDialogs;
int FolderCounter = 0;
} // namespace

namespace TestEnv {

QString Root()
{
    return RootDir->path();
}

QString NewFolder(const QString& AName)
{
    const QString path = Root() + QStringLiteral("/%1-%2").arg(AName).arg(++FolderCounter);
    QDir().mkpath(path);
    return path;
}

QString SettingsFile()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, ProgramCompanyName(), ProgramName());
    return settings.fileName();
}

void ClearSettings()
{
    QFile::remove(SettingsFile());
}

void SetSettingsFolder(const QString& AFolder)
{
    const QString folder = AFolder.isEmpty() ? Root() + QStringLiteral("/config") : AFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QString DocumentsFolder()
{
    return Root() + QStringLiteral("/home/Documents");
}
QString AppDataFolder()
{
    return Root() + QStringLiteral("/home/.local/share");
}
QString PublicFolder()
{
    return Root() + QStringLiteral("/home/Public");
}

TScriptedDialogs& Dialogs()
{
    return ScriptedDialogs;
}

void Init()
{
    RootDir = std::make_unique<QTemporaryDir>();
    RootDir->setAutoRemove(true);
    // Test programs run side by side: each gets its own temporary folder, so
    // files the program keeps there (the report logo) are never shared.
    const QString temp = Root() + QStringLiteral("/tmp");
    QDir().mkpath(temp);
    qputenv("TMPDIR", QFile::encodeName(temp));
    if (!ProgramTempDir().startsWith(temp))
        qFatal("the program's temporary folder was fixed before the test environment");
    SetSettingsFolder(QString());
    for (const QString& folder : {DocumentsFolder(), AppDataFolder(), PublicFolder()})
        QDir().mkpath(folder);
    SetSpecialFolderProvider([](int AFolderId) -> QString {
        switch (AFolderId) {
        case CSIDL_PERSONAL:
            return DocumentsFolder();
        case CSIDL_APPDATA:
            return AppDataFolder();
        case CSIDL_COMMON_DOCUMENTS:
            return PublicFolder();
        default:
            return QString();
        }
    });
    SetScreenSizeProvider([] { return QSize(1920, 1080); });
    SetDialogs(&ScriptedDialogs);
}

} // namespace TestEnv
