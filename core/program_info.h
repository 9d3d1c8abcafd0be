// The program-wide values, computed once at start before anything else runs:
// what the program is called, its version, its temporary folder and settings key.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The texts and numbers of a program's version block.
struct TVersionBlock {
    bool Present = false;
    std::array<std::uint16_t, 4> FileVersion{0, 0, 0, 0};
    QString CompanyName;
    QString FileDescription;
    QString ProductName;
    QString ProductWeb;
    QString InternalName;
    QString ProductVersion;
};

// The block embedded in this build.
TVersionBlock EmbeddedVersionBlock();

struct TProgramInfo {
    QString ProgramFileName;
    QString ProgramVersion;
    QString ProgramName;
    QString ProgramFullName;
    QString ProgramShortName;
    QString ProgramProductVersion;
    QString ProgramWebPage;
    QString ProgramCompanyName;
    QString ProgramTempDir;
    QString ProgramRegistryKey;
    std::array<QString, 8> WeekDayShortNames; // index 1 = Monday … 7 = Sunday
};

// Fills the values from a version block, the program file and the locale, in
// start-up order; creates the temporary folder (its result is ignored).
TProgramInfo ComputeProgramInfo(
    const TVersionBlock& ABlock, const QString& AProgramFileName, const QString& ASystemTempDir);

// The values of this run. Until InitProgramInfo they come from the embedded
// block, so model code and tests can read them at any time.
const TProgramInfo& ProgramInfo();
void InitProgramInfo();
// Registers the resources (program icon) compiled into the model library.
void InitCoreResources();

inline const QString& ProgramName()
{
    return ProgramInfo().ProgramName;
}
inline const QString& ProgramVersion()
{
    return ProgramInfo().ProgramVersion;
}
inline const QString& ProgramCompanyName()
{
    return ProgramInfo().ProgramCompanyName;
}
inline const QString& ProgramTempDir()
{
    return ProgramInfo().ProgramTempDir;
}
inline const QString& ProgramRegistryKey()
{
    return ProgramInfo().ProgramRegistryKey;
}
inline const QString& WeekDayShortNames(int AIndex)
{
    return ProgramInfo().WeekDayShortNames.at(static_cast<size_t>(AIndex));
}
