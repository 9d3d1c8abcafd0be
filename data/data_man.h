// The data manager: where the four tables are kept (a data folder or a
// PostgreSQL server), their structure check, moving the data to another
// folder, and the data maintenance.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/folder_hold.h"
#include "data/table.h"

#include <QList>
#include <QString>

#include <functional>

struct TDataLocation;

// Progress position and a text to append to the maintenance log.
using TDataMaintenanceInfoCallBackProc = std::function<void(int AProgress, const QString& AAddText)>;

// The colour picker of the workplace editor with its sixteen custom colours.
class TColorDlg {
public:
    TColorDlg();
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue) { FColor = AValue; }
    // Slots A to P; an empty slot is 0xFFFFFFFF.
    QList<TColor>& CustomColors() { return FCustomColors; }
    // Runs the dialog; true with a colour chosen.
    bool Execute();

private:
    TColor FColor;
    QList<TColor> FCustomColors;
};

class TDataMan : public TObject {
public:
    TDataMan();
    ~TDataMan() override;
    TDataMan(const TDataMan&) = delete;
    TDataMan& operator=(const TDataMan&) = delete;

    static TDataMan* Instance();

    // The folder the tables are open on (ends with "/"). The settings name the
    // same one except while a move is under way.
    const QString& DataDir() const { return FDataDir; }
    void SetDataDir(const QString& AValue);
    // The PostgreSQL database the tables are kept on instead of the folder:
    // a libpq connection string ("host=... dbname=..." or "service=name");
    // empty for the folder. Tables attached from then on follow it; the
    // managers take it when they open their tables (ReopenTables).
    const QString& DataServer() const { return FDataServer; }
    void SetDataServer(const QString& AConnInfo);
    TColorDlg& ColorDlg() { return FColorDlg; }
    const QString& ReportProjectFileName() const { return FReportProjectFileName; }

    // Makes the file of ADS match the field list of ADSDef and leaves ADS open
    // (on an empty stand-in when the file can be neither read nor replaced).
    // True when it rebuilt the file. A table on a server is only opened: the
    // server keeps its own structure; one out of reach stays closed.
    static bool CheckDBStructure(TTable& ADS, const TTable& ADSDef);
    // Tells the user that ACount rows of a file (a negative count: an unknown
    // number) cannot be used; once for each file and count.
    static void ReportUnusableRows(const QString& AFileName, qint64 ACount);
    // Moves the data to another folder; false when refused or failed, the
    // tables then being open on ADataDir again.
    bool ChangeDataDir(const QString& ADataDir, const QString& ANewDataDir);
    // Moves the data between a folder and a server (either way), every row,
    // ID and counter with it; a plan on the new location already is replaced
    // or used as it is, as the user answers. False when refused or failed,
    // the tables then being open where they were.
    bool ChangeLocation(const TDataLocation& AOld, const TDataLocation& ANew);
    // Rewrites one closed table file; false when it is missing or the rewrite
    // failed (the file then stays as it was).
    bool CommpressDB(const QString& ADBFName);
    void RunMaintenance(
        TDate ADeleteDateLimit, const TDataMaintenanceInfoCallBackProc& APCallBackInfoProc, bool ABackupBefore);

    // Closes the four tables and opens them again from the folder.
    void ReopenTables()
    {
        CloseAllTables();
        OpenAllTables();
    }
    // The four file names in the order every step handles them.
    static QStringList DataFileNames();
    // Another copy of the program works in AFolder now: nothing may replace
    // its files.
    bool OthersWorkIn(const QString& AFolder) const { return FHold.OthersHold(IncludeBackslash(AFolder)); }

private:
    // Tells the user when another copy works in AFolder, whose files must
    // not be replaced; true then.
    bool RefuseFolderInUse(const QString& AFolder) const;
    void DataModuleCreate();
    void CloseAllTables();
    void OpenAllTables();

    QString FDataDir;
    QString FDataServer;
    TFolderHold FHold;
    TColorDlg FColorDlg;
    QString FReportProjectFileName;
};

// The folder a manager opens its table in.
QString CurrentDataDir();
// The server the tables are kept on; empty for the folder.
QString CurrentDataServer();
// Points ATable at one of the four tables where the data is kept now: the
// file AFileName ("Jobs.cds") of the current data folder, or the server's
// table of that name. Every manager opens its table through it.
void AttachTable(TTable& ATable, const QString& AFileName);
