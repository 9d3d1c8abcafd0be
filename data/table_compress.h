// Compression of a closed table file: the copy without free pages replaces
// the file only when it opens as a table with every row. Above both the
// table and the file-level work, as it needs the one to check the other.
#pragma once

#include <QString>

// Rewrites a closed file without its free pages, keeping IDs and counter;
// refused when the copy would not hold every row the file holds.
bool CompressTableFile(const QString& AFileName);
