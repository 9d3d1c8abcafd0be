// Which copies of the program work in a data folder: each holds a shared lock
// on a lock file there for as long as it does, and what would replace files
// under another copy asks first. The system drops the lock of a copy that
// ends, however it ends (kill -9 included).
#pragma once

#include <QString>

class TFolderHold {
public:
    TFolderHold() = default;
    ~TFolderHold();
    TFolderHold(const TFolderHold&) = delete;
    TFolderHold& operator=(const TFolderHold&) = delete;

    // Holds AFolder (ends with "/"), letting go of the one held before; false
    // when its lock file cannot be made (a read-only folder: no copy can
    // replace files there either).
    bool Hold(const QString& AFolder);
    void Release();
    // Another copy of the program works in AFolder now.
    bool OthersHold(const QString& AFolder) const;

    static QString LockFileName() { return QStringLiteral(".plenvo.lock"); }

private:
    QString FFolder;
    int FFile = -1;
};
