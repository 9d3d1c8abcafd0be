#include "data/table_compress.h"

#include "data/table.h"
#include "data/table_file.h"

bool CompressTableFile(const QString& AFileName)
{
    qint64 rows = -1;
    const QString temp = WriteCompactCopy(AFileName, rows);
    if (temp.isEmpty())
        return false;
    // The copy must be a table file with every row before it may replace
    // the original: rows the program cannot use are kept all the same.
    TTable check(QStringLiteral("check"));
    check.SetFileName(temp);
    const bool ok = check.Open() == orOpened && check.RecordCount() == rows;
    check.Close();
    if (!ok) {
        RemoveTableFile(temp);
        return false;
    }
    return ReplaceWithCopy(temp, AFileName);
}
