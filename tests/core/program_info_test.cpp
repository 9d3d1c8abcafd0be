#include "core/program_info.h"
#include "core/utils.h"
#include "support/test_env.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(ProgramInfoTest, EmbeddedBlockNamesTheProgram)
{
    const TVersionBlock block = EmbeddedVersionBlock();
    EXPECT_EQ(block.CompanyName, "Zanthor Software");
    EXPECT_EQ(block.FileDescription, "Plenvo");
    EXPECT_EQ(block.ProductName, "Plenvo");
    EXPECT_EQ(block.InternalName, "PLNV");
    EXPECT_FALSE(block.ProductVersion.isEmpty());
}

TEST(ProgramInfoTest, ValuesFromABlock)
{
    TVersionBlock block = EmbeddedVersionBlock();
    block.FileVersion = {2, 5, 0, 17};
    block.ProductName.clear();
    const QString temp = TestEnv::NewFolder("tmp");
    const TProgramInfo info = ComputeProgramInfo(block, "/opt/plenvo/plenvo", temp);

    EXPECT_EQ(info.ProgramVersion, "2.5.0.17");
    EXPECT_EQ(info.ProgramName, "Plenvo");
    EXPECT_EQ(info.ProgramFullName, "Plenvo"); // falls back to the file description
    EXPECT_EQ(info.ProgramShortName, "PLNV");
    EXPECT_EQ(info.ProgramCompanyName, "Zanthor Software");
    EXPECT_EQ(info.ProgramFileName, "/opt/plenvo/plenvo");
    EXPECT_EQ(info.ProgramRegistryKey, "\\SOFTWARE\\Zanthor Software\\Plenvo\\");
    EXPECT_EQ(info.ProgramTempDir, temp + "/PLNV/");
    EXPECT_TRUE(FolderExists(info.ProgramTempDir));
}

TEST(ProgramInfoTest, MissingBlock)
{
    const QString temp = TestEnv::NewFolder("tmp");
    const TProgramInfo info = ComputeProgramInfo(TVersionBlock{}, "/x", temp);
    EXPECT_EQ(info.ProgramVersion, "0.0.0.0");
    EXPECT_EQ(info.ProgramName, "");
    EXPECT_EQ(info.ProgramRegistryKey, "\\SOFTWARE\\\\\\");
    EXPECT_EQ(info.ProgramTempDir, temp + "/");
}

TEST(ProgramInfoTest, WeekDayShortNamesStartOnMonday)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const TProgramInfo info = ComputeProgramInfo(EmbeddedVersionBlock(), "/x", TestEnv::NewFolder("tmp"));
    EXPECT_EQ(info.WeekDayShortNames[1], "Mon");
    EXPECT_EQ(info.WeekDayShortNames[7], "Sun");
}
