#include "core/program_info.h"

#include "core/utils.h"
#include "version_block.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

TVersionBlock EmbeddedVersionBlock()
{
    TVersionBlock block;
    block.Present = true;
    block.FileVersion = {PLENVO_VERSION_MAJOR, PLENVO_VERSION_MINOR, PLENVO_VERSION_PATCH, PLENVO_VERSION_TWEAK};
    block.CompanyName = QStringLiteral(PLENVO_COMPANY_NAME);
    block.FileDescription = QStringLiteral(PLENVO_FILE_DESCRIPTION);
    block.ProductName = QStringLiteral(PLENVO_PRODUCT_NAME);
    block.ProductWeb = QStringLiteral(PLENVO_PRODUCT_WEB);
    block.InternalName = QStringLiteral(PLENVO_INTERNAL_NAME);
    block.ProductVersion = QStringLiteral(PLENVO_PRODUCT_VERSION);
    return block;
}

TProgramInfo ComputeProgramInfo(
    const TVersionBlock& ABlock, const QString& AProgramFileName, const QString& ASystemTempDir)
{
    TProgramInfo info;
    const QLocale locale;
    for (int day = 1; day <= 7; ++day)
        info.WeekDayShortNames[static_cast<size_t>(day)] = locale.dayName(day, QLocale::ShortFormat);

    info.ProgramFileName = AProgramFileName;
    const auto& v = ABlock.FileVersion;
    info.ProgramVersion = ABlock.Present ? QStringLiteral("%1.%2.%3.%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3])
                                         : QStringLiteral("0.0.0.0");
    if (ABlock.Present) {
        info.ProgramCompanyName = ABlock.CompanyName;
        info.ProgramName = ABlock.FileDescription;
        info.ProgramFullName = ABlock.ProductName.isEmpty() ? ABlock.FileDescription : ABlock.ProductName;
        info.ProgramWebPage = ABlock.ProductWeb;
        info.ProgramShortName = ABlock.InternalName;
        info.ProgramProductVersion = ABlock.ProductVersion;
    }

    // An empty short name leaves the temporary folder the system's own.
    info.ProgramTempDir
        = IncludeBackslash(IncludeBackslash(QFileInfo(ASystemTempDir).absoluteFilePath()) + info.ProgramShortName);
    if (!FolderExists(info.ProgramTempDir))
        ForceFolders(info.ProgramTempDir);

    info.ProgramRegistryKey = QStringLiteral("\\SOFTWARE\\%1\\%2\\").arg(info.ProgramCompanyName, info.ProgramName);
    return info;
}

namespace {
TProgramInfo& Current()
{
    // Read before start-up (tests, tools): the embedded block.
    static TProgramInfo info = ComputeProgramInfo(EmbeddedVersionBlock(), QString(), QDir::tempPath());
    return info;
}
} // namespace

void InitCoreResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(core);
        return true;
    }();
    (void)done;
}

const TProgramInfo& ProgramInfo()
{
    return Current();
}

void InitProgramInfo()
{
    InitCoreResources();
    const QString file = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    Current() = ComputeProgramInfo(EmbeddedVersionBlock(), file, QDir::tempPath());
}
