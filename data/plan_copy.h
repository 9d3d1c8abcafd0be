// A whole plan copied from one store to another, folder or server: every row
// of the four tables with its ID, and every table's counter, so nothing a
// user did and no ID given out is lost. Moving the data and the backup of a
// server's plan both use it.
#pragma once

#include "data/table.h"

#include <QString>

#include <functional>

// Points a table at one of the four tables ("Jobs.cds", ...) of a store.
using TTableAttach = std::function<void(TTable& ATable, const QString& AFileName)>;
TTableAttach FolderTables(const QString& AFolder);
TTableAttach ServerTables(const QString& AConnInfo);

// Whether the store's tables hold any row; -1 when one cannot be read.
int StoreHoldsRows(const TTableAttach& AStore);
// Copies every table of AFrom over the tables of ATo (rows there before are
// gone), one table at a time, each in one write of many rows to a statement,
// read and written a batch at a time however large the plan; the tables are
// closed on return. False with the reason in AError when a table could not be
// read or written; AFrom is never written, a server's table that failed keeps
// its rows (its counter may have moved on: it never goes back), a folder's
// may be left new and empty.
bool CopyPlan(const TTableAttach& AFrom, const TTableAttach& ATo, QString& AError);
