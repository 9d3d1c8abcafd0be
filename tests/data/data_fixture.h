// The data store as the program builds it, on a fresh data folder of a test.
#pragma once

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/table.h"
#include "data/table_file.h"
#include "data/workplace_man.h"
#include "setup/setup.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

// Settings, data manager and the four managers in start-up order, destroyed
// in reverse.
class TDataStore {
public:
    explicit TDataStore(const QString& AFolder)
    {
        Setup = std::make_unique<TSetup>();
        Setup->Data()->SetDataDirKind(sddkOtherDataFolder);
        Setup->Data()->SetOtherDataFolder(AFolder);
        DataMan = std::make_unique<TDataMan>();
        Persons = std::make_unique<TPersonMan>();
        Workplaces = std::make_unique<TWorkplaceMan>();
        Jobs = std::make_unique<TJobMan>();
        Macros = std::make_unique<TMacroMan>();
    }
    ~TDataStore()
    {
        Macros.reset();
        Jobs.reset();
        Workplaces.reset();
        Persons.reset();
        DataMan.reset();
        Setup.reset();
    }

    std::unique_ptr<TSetup> Setup;
    std::unique_ptr<TDataMan> DataMan;
    std::unique_ptr<TPersonMan> Persons;
    std::unique_ptr<TWorkplaceMan> Workplaces;
    std::unique_ptr<TJobMan> Jobs;
    std::unique_ptr<TMacroMan> Macros;
};

class DataTest : public testing::Test {
protected:
    void SetUp() override { Folder = IncludeBackslash(TestEnv::NewFolder(QStringLiteral("data"))); }
    void Open() { Store = std::make_unique<TDataStore>(Folder); }
    void Reopen()
    {
        Store.reset();
        Open();
    }
    void TearDown() override { Store.reset(); }

    TScriptedDialogs& Dialogs() { return TestEnv::Dialogs(); }
    // The editors of the next Add/Edit: run AAction on the object, close with AOk.
    void EditorDoes(const QString& AClassName, std::function<void(TObject*)> AAction, bool AOk)
    {
        Dialogs().ProvideEditor(AClassName, [AAction, AOk] { return std::make_unique<TScriptedEditor>(AAction, AOk); });
    }
    TPerson* AddPerson(const QString& AName)
    {
        EditorDoes(QStringLiteral("TPersonEditor"), [AName](TObject* o) { static_cast<TPerson*>(o)->SetName(AName); }, true);
        return Store->Persons->AddPerson();
    }
    TWorkplace* AddWorkplace(const QString& AName, const QString& AShortcut = QString())
    {
        EditorDoes(QStringLiteral("TWorkplaceEditor"), [AName, AShortcut](TObject* o) {
            auto* w = static_cast<TWorkplace*>(o);
            w->SetName(AName);
            if (!AShortcut.isEmpty())
                w->SetShortcut(AShortcut);
        }, true);
        return Store->Workplaces->AddWorkplace();
    }
    QStringList FolderEntries(const QString& AFolder) const
    {
        return QDir(AFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QString Folder;
    std::unique_ptr<TDataStore> Store;
};

// Writes a table file with a chosen field list and rows (null values allowed).
inline void WriteTableFile(const QString& AFileName, const TFieldDefs& ADefs, const QList<QVariantList>& ARows,
                           const QList<int>& ADeleteIDs = {})
{
    ASSERT_TRUE(WriteEmptyTableFile(AFileName, ADefs));
    TTable table(QStringLiteral("fixture"));
    table.SetFileName(AFileName);
    ASSERT_EQ(table.Open(), orOpened);
    for (const QVariantList& row : ARows) {
        table.Append();
        int column = 0;
        for (const TFieldDef& def : ADefs) {
            if (def.DataType == ftAutoInc)
                continue;
            table.SetFieldValue(def.Name, row.value(column++));
        }
        ASSERT_TRUE(table.Post());
    }
    for (int id : ADeleteIDs) {
        ASSERT_TRUE(table.Locate(QStringLiteral("ID"), id));
        ASSERT_TRUE(table.Delete());
    }
    ASSERT_TRUE(table.Save());
    table.Close();
}

// Makes a file or folder unwritable, also for root (who ignores permission
// bits but not the immutable attribute); false when that is not possible.
inline bool SetWritable(const QString& APath, bool AWritable)
{
    if (::geteuid() != 0) {
        QFileDevice::Permissions rights = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        if (AWritable)
            rights |= QFileDevice::WriteOwner;
        return QFile::setPermissions(APath, rights);
    }
    return QProcess::execute(QStringLiteral("chattr"), {AWritable ? QStringLiteral("-i") : QStringLiteral("+i"), APath}) == 0;
}

inline TDate Day(int AYear, int AMonth, int ADay)
{
    return DateToOle(QDate(AYear, AMonth, ADay));
}
