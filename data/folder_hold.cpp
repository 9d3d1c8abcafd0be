#include "data/folder_hold.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
// Open file description locks: a copy's own lock never counts against it,
// and closing another descriptor of the file does not drop it.
bool LockShared(int AFile)
{
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(AFile, F_OFD_SETLK, &lock) == 0;
}

// Whether a lock of another copy keeps AFile from being written to.
bool Held(int AFile)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(AFile, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}
} // namespace

TFolderHold::~TFolderHold()
{
    Release();
}

bool TFolderHold::Hold(const QString& AFolder)
{
    if (FFile >= 0 && AFolder == FFolder)
        return true;
    Release();
    const int file
        = ::open(QFile::encodeName(AFolder + LockFileName()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (file < 0)
        return false;
    if (!LockShared(file)) {
        ::close(file);
        return false;
    }
    FFile = file;
    FFolder = AFolder;
    return true;
}

void TFolderHold::Release()
{
    if (FFile >= 0)
        ::close(FFile);
    FFile = -1;
    FFolder.clear();
}

bool TFolderHold::OthersHold(const QString& AFolder) const
{
    if (FFile >= 0 && AFolder == FFolder)
        return Held(FFile);
    const int file = ::open(QFile::encodeName(AFolder + LockFileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool held = Held(file);
    ::close(file);
    return held;
}
