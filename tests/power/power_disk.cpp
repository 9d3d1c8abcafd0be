// The simulated disk. What a file holds is remembered whole at each of its
// syncs; what a folder lists, at each of its syncs, with the changes made to
// it since then in order. A cut keeps of each file the synced content plus a
// random part of the sectors written since, and of each folder a random
// prefix of its changes since its last sync (a journalling file system keeps
// folder changes in order). Folder changes are seen where the C library is
// called (open with O_CREAT, mkdir, rename, link, unlink and their *at
// forms), syncs at fsync and fdatasync, writes where SQLite's VFS is called.
#include "power_disk.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdarg>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr size_t SectorSize = 512;

struct TEntryChange {
    std::string Name;
    int Node = -1; // -1: the name was removed
};
// Changes that reach a folder together (a rename within it).
using TChangeGroup = std::vector<TEntryChange>;

struct TNode {
    bool Dir = false;
    // Files: the content as last synced.
    std::string Synced;
    // Files: the content when its last name went (a removal can be undone).
    bool HasLast = false;
    std::string Last;
    // Folders: the entries as last synced and the changes since, in order.
    std::map<std::string, int> SyncedEntries;
    std::vector<TChangeGroup> Changes;
};

std::recursive_mutex GMutex;
std::string GRoot;
bool GWatching = false;
bool GCutting = false;
uint64_t GEvents = 0;
uint64_t GCutAt = 0;
PowerDisk::TCutModel GModel = PowerDisk::TCutModel::Random;
std::mt19937_64 GRandom;
std::vector<TNode> GNodes;
std::map<std::pair<dev_t, ino_t>, int> GNodeOfInode;

template <class TFunction>
TFunction RealFunction(const char* AName)
{
    return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, AName));
}

using TOpen = int (*)(const char*, int, ...);
using TOpenAt = int (*)(int, const char*, int, ...);
using TRename = int (*)(const char*, const char*);
using TRenameAt = int (*)(int, const char*, int, const char*);
using TRenameAt2 = int (*)(int, const char*, int, const char*, unsigned int);
using TLink = int (*)(const char*, const char*);
using TLinkAt = int (*)(int, const char*, int, const char*, int);
using TUnlink = int (*)(const char*);
using TUnlinkAt = int (*)(int, const char*, int);
using TMkdir = int (*)(const char*, mode_t);
using TMkdirAt = int (*)(int, const char*, mode_t);
using TSync = int (*)(int);

int RealOpen(const char* APath, int AFlags, mode_t AMode = 0)
{
    static const auto real = RealFunction<TOpen>("open");
    return real(APath, AFlags, AMode);
}

std::string ReadFd(int AFd)
{
    std::string data;
    char buffer[65536];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(AFd, buffer, sizeof buffer, at);
        if (got <= 0)
            break;
        data.append(buffer, static_cast<size_t>(got));
        at += got;
    }
    return data;
}

std::string ReadPath(const std::string& APath)
{
    const int fd = RealOpen(APath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    std::string data = ReadFd(fd);
    ::close(fd);
    return data;
}

// The file an open descriptor names, even one opened only for writing.
std::string ReadDescriptor(int AFd)
{
    return ReadPath("/proc/self/fd/" + std::to_string(AFd));
}

std::string PathOfDescriptor(int AFd)
{
    char buffer[4096];
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(AFd)).c_str(), buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string Normal(const std::string& APath)
{
    std::vector<std::string> parts;
    size_t from = 0;
    while (from <= APath.size()) {
        size_t slash = APath.find('/', from);
        if (slash == std::string::npos)
            slash = APath.size();
        const std::string part = APath.substr(from, slash - from);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        from = slash + 1;
    }
    std::string result;
    for (const std::string& part : parts)
        result += "/" + part;
    return result.empty() ? "/" : result;
}

std::string Absolute(int ADirFd, const char* APath)
{
    if (!APath)
        return std::string();
    if (APath[0] == '/')
        return Normal(APath);
    std::string base;
    if (ADirFd == AT_FDCWD) {
        char buffer[4096];
        base = ::getcwd(buffer, sizeof buffer) ? buffer : "";
    } else {
        base = PathOfDescriptor(ADirFd);
    }
    return Normal(base + "/" + APath);
}

bool Watched(const std::string& APath)
{
    return GWatching && !GCutting && !APath.empty()
           && (APath == GRoot
               || (APath.size() > GRoot.size() && APath.compare(0, GRoot.size(), GRoot) == 0
                   && APath[GRoot.size()] == '/'));
}

std::string Parent(const std::string& APath)
{
    const size_t slash = APath.rfind('/');
    return slash == 0 ? "/" : APath.substr(0, slash);
}

std::string BaseName(const std::string& APath)
{
    return APath.substr(APath.rfind('/') + 1);
}

int NewNode(const struct stat& AStat)
{
    TNode node;
    node.Dir = S_ISDIR(AStat.st_mode);
    GNodes.push_back(std::move(node));
    const int id = static_cast<int>(GNodes.size()) - 1;
    GNodeOfInode[{AStat.st_dev, AStat.st_ino}] = id;
    return id;
}

// The node of an inode; one never seen counts as written but never synced.
int NodeOf(const struct stat& AStat)
{
    const auto found = GNodeOfInode.find({AStat.st_dev, AStat.st_ino});
    return found != GNodeOfInode.end() ? found->second : NewNode(AStat);
}

int NodeOfPath(const std::string& APath, bool AFollow = false)
{
    struct stat st {};
    if ((AFollow ? ::stat(APath.c_str(), &st) : ::lstat(APath.c_str(), &st)) != 0)
        return -1;
    return NodeOf(st);
}

std::map<std::string, int> ListFolder(const std::string& APath)
{
    std::map<std::string, int> entries;
    DIR* dir = ::opendir(APath.c_str());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const int node = NodeOfPath(APath + "/" + name);
        if (node >= 0)
            entries[name] = node;
    }
    ::closedir(dir);
    return entries;
}

// Everything below APath as it is now counts as synced.
void TakeAsSynced(const std::string& APath, int ANode)
{
    if (GNodes[ANode].Dir) {
        const std::map<std::string, int> entries = ListFolder(APath);
        GNodes[ANode].SyncedEntries = entries;
        GNodes[ANode].Changes.clear();
        for (const auto& [name, node] : entries)
            TakeAsSynced(APath + "/" + name, node);
    } else {
        GNodes[ANode].Synced = ReadPath(APath);
    }
}

void Record(const std::string& AFolder, TChangeGroup AGroup)
{
    const int folder = NodeOfPath(AFolder);
    if (folder >= 0 && GNodes[folder].Dir)
        GNodes[folder].Changes.push_back(std::move(AGroup));
}

void KeepLastContent(const std::string& APath)
{
    struct stat st {};
    if (::lstat(APath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    TNode& node = GNodes[NodeOf(st)];
    node.Last = ReadPath(APath);
    node.HasLast = true;
}

void CutPoint()
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    if (!GWatching || GCutting)
        return;
    ++GEvents;
    if (GCutAt && GEvents >= GCutAt)
        PowerDisk::Cut(PowerDisk::CutExitCode);
}

// --- after the cut ---

std::string Mixed(const std::string& ASynced, const std::string& ANow)
{
    if (GModel == PowerDisk::TCutModel::Synced || ASynced == ANow)
        return ASynced;
    std::string result = ASynced;
    const size_t sectors = (std::max(ASynced.size(), ANow.size()) + SectorSize - 1) / SectorSize;
    size_t end = ASynced.size();
    for (size_t sector = 0; sector < sectors; ++sector) {
        const size_t from = sector * SectorSize;
        const std::string before = from < ASynced.size() ? ASynced.substr(from, SectorSize) : std::string();
        const std::string after = from < ANow.size() ? ANow.substr(from, SectorSize) : std::string();
        if (before == after || after.empty() || GRandom() % 2)
            continue;
        if (result.size() < from + after.size())
            result.resize(from + after.size(), '\0');
        result.replace(from, after.size(), after);
        end = std::max(end, from + after.size());
    }
    result.resize(end, '\0');
    // A shrink that was not synced may or may not have reached the disk.
    if (ANow.size() < result.size() && GRandom() % 2)
        result.resize(ANow.size());
    return result;
}

std::map<std::string, int> EntriesAfterCut(const TNode& AFolder)
{
    std::map<std::string, int> entries = AFolder.SyncedEntries;
    size_t keep = 0;
    if (GModel == PowerDisk::TCutModel::Random)
        keep = GRandom() % (AFolder.Changes.size() + 1);
    for (size_t i = 0; i < keep; ++i)
        for (const TEntryChange& change : AFolder.Changes[i]) {
            if (change.Node < 0)
                entries.erase(change.Name);
            else
                entries[change.Name] = change.Node;
        }
    return entries;
}

void ReadLiveFiles(const std::string& APath, std::map<int, std::string>& AContent)
{
    for (const auto& [name, node] : ListFolder(APath)) {
        const std::string path = APath + "/" + name;
        if (GNodes[node].Dir)
            ReadLiveFiles(path, AContent);
        else
            AContent[node] = ReadPath(path);
    }
}

void RemoveBelow(const std::string& APath)
{
    static const auto unlinkFn = RealFunction<TUnlink>("unlink");
    static const auto rmdirFn = RealFunction<TUnlink>("rmdir");
    DIR* dir = ::opendir(APath.c_str());
    if (!dir)
        return;
    std::vector<std::pair<std::string, bool>> entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            entries.emplace_back(APath + "/" + name, entry->d_type == DT_DIR);
    }
    ::closedir(dir);
    for (const auto& [path, isDir] : entries) {
        if (isDir) {
            RemoveBelow(path);
            rmdirFn(path.c_str());
        } else {
            unlinkFn(path.c_str());
        }
    }
}

void WriteAfterCut(const std::string& APath, const TNode& AFolder, const std::map<int, std::string>& ALive, int ADepth)
{
    static const auto mkdirFn = RealFunction<TMkdir>("mkdir");
    if (ADepth > 32)
        return;
    for (const auto& [name, id] : EntriesAfterCut(AFolder)) {
        const std::string path = APath + "/" + name;
        const TNode& node = GNodes[id];
        if (node.Dir) {
            mkdirFn(path.c_str(), 0755);
            WriteAfterCut(path, node, ALive, ADepth + 1);
            continue;
        }
        const auto live = ALive.find(id);
        const std::string& now = live != ALive.end() ? live->second : (node.HasLast ? node.Last : node.Synced);
        const std::string content = Mixed(node.Synced, now);
        const int fd = RealOpen(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        for (size_t at = 0; at < content.size();) {
            const ssize_t put = ::write(fd, content.data() + at, content.size() - at);
            if (put <= 0)
                break;
            at += static_cast<size_t>(put);
        }
        ::close(fd);
    }
}

// --- the VFS: a cut may come before any write, sync, truncation or deletion ---

sqlite3_vfs* GUnixVfs = nullptr;
sqlite3_vfs GVfs;
sqlite3_io_methods GMethods;

struct TVfsFile {
    sqlite3_file Base;
    sqlite3_file* Real;
};

sqlite3_file* RealFile(sqlite3_file* AFile)
{
    return reinterpret_cast<TVfsFile*>(AFile)->Real;
}

int VfsClose(sqlite3_file* AFile)
{
    return RealFile(AFile)->pMethods->xClose(RealFile(AFile));
}
int VfsRead(sqlite3_file* AFile, void* ABuffer, int AAmount, sqlite3_int64 AOffset)
{
    return RealFile(AFile)->pMethods->xRead(RealFile(AFile), ABuffer, AAmount, AOffset);
}
int VfsWrite(sqlite3_file* AFile, const void* ABuffer, int AAmount, sqlite3_int64 AOffset)
{
    CutPoint();
    return RealFile(AFile)->pMethods->xWrite(RealFile(AFile), ABuffer, AAmount, AOffset);
}
int VfsTruncate(sqlite3_file* AFile, sqlite3_int64 ASize)
{
    CutPoint();
    return RealFile(AFile)->pMethods->xTruncate(RealFile(AFile), ASize);
}
int VfsSync(sqlite3_file* AFile, int AFlags)
{
    CutPoint();
    return RealFile(AFile)->pMethods->xSync(RealFile(AFile), AFlags);
}
int VfsFileSize(sqlite3_file* AFile, sqlite3_int64* ASize)
{
    return RealFile(AFile)->pMethods->xFileSize(RealFile(AFile), ASize);
}
int VfsLock(sqlite3_file* AFile, int ALock)
{
    return RealFile(AFile)->pMethods->xLock(RealFile(AFile), ALock);
}
int VfsUnlock(sqlite3_file* AFile, int ALock)
{
    return RealFile(AFile)->pMethods->xUnlock(RealFile(AFile), ALock);
}
int VfsCheckReservedLock(sqlite3_file* AFile, int* AResult)
{
    return RealFile(AFile)->pMethods->xCheckReservedLock(RealFile(AFile), AResult);
}
int VfsFileControl(sqlite3_file* AFile, int AOp, void* AArg)
{
    return RealFile(AFile)->pMethods->xFileControl(RealFile(AFile), AOp, AArg);
}
int VfsSectorSize(sqlite3_file* AFile)
{
    return RealFile(AFile)->pMethods->xSectorSize(RealFile(AFile));
}
int VfsDeviceCharacteristics(sqlite3_file* AFile)
{
    return RealFile(AFile)->pMethods->xDeviceCharacteristics(RealFile(AFile));
}
int VfsShmMap(sqlite3_file* AFile, int ARegion, int ASize, int AExtend, void volatile** AMemory)
{
    return RealFile(AFile)->pMethods->xShmMap(RealFile(AFile), ARegion, ASize, AExtend, AMemory);
}
int VfsShmLock(sqlite3_file* AFile, int AOffset, int ACount, int AFlags)
{
    return RealFile(AFile)->pMethods->xShmLock(RealFile(AFile), AOffset, ACount, AFlags);
}
void VfsShmBarrier(sqlite3_file* AFile)
{
    RealFile(AFile)->pMethods->xShmBarrier(RealFile(AFile));
}
int VfsShmUnmap(sqlite3_file* AFile, int ADelete)
{
    return RealFile(AFile)->pMethods->xShmUnmap(RealFile(AFile), ADelete);
}
int VfsFetch(sqlite3_file* AFile, sqlite3_int64 AOffset, int AAmount, void** APage)
{
    return RealFile(AFile)->pMethods->xFetch(RealFile(AFile), AOffset, AAmount, APage);
}
int VfsUnfetch(sqlite3_file* AFile, sqlite3_int64 AOffset, void* APage)
{
    return RealFile(AFile)->pMethods->xUnfetch(RealFile(AFile), AOffset, APage);
}

int VfsOpen(sqlite3_vfs*, const char* AName, sqlite3_file* AFile, int AFlags, int* AOutFlags)
{
    CutPoint();
    auto* file = reinterpret_cast<TVfsFile*>(AFile);
    file->Real = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = GUnixVfs->xOpen(GUnixVfs, AName, file->Real, AFlags, AOutFlags);
    file->Base.pMethods = file->Real->pMethods ? &GMethods : nullptr;
    return rc;
}
int VfsDelete(sqlite3_vfs*, const char* AName, int ASyncDir)
{
    CutPoint();
    return GUnixVfs->xDelete(GUnixVfs, AName, ASyncDir);
}
int VfsAccess(sqlite3_vfs*, const char* AName, int AFlags, int* AResult)
{
    return GUnixVfs->xAccess(GUnixVfs, AName, AFlags, AResult);
}
int VfsFullPathname(sqlite3_vfs*, const char* AName, int ASize, char* AOut)
{
    return GUnixVfs->xFullPathname(GUnixVfs, AName, ASize, AOut);
}
void* VfsDlOpen(sqlite3_vfs*, const char* AName)
{
    return GUnixVfs->xDlOpen(GUnixVfs, AName);
}
void VfsDlError(sqlite3_vfs*, int ASize, char* AOut)
{
    GUnixVfs->xDlError(GUnixVfs, ASize, AOut);
}
void (*VfsDlSym(sqlite3_vfs*, void* AHandle, const char* ASymbol))(void)
{
    return GUnixVfs->xDlSym(GUnixVfs, AHandle, ASymbol);
}
void VfsDlClose(sqlite3_vfs*, void* AHandle)
{
    GUnixVfs->xDlClose(GUnixVfs, AHandle);
}
int VfsRandomness(sqlite3_vfs*, int ASize, char* AOut)
{
    return GUnixVfs->xRandomness(GUnixVfs, ASize, AOut);
}
int VfsSleep(sqlite3_vfs*, int AMicroseconds)
{
    return GUnixVfs->xSleep(GUnixVfs, AMicroseconds);
}
int VfsCurrentTime(sqlite3_vfs*, double* ATime)
{
    return GUnixVfs->xCurrentTime(GUnixVfs, ATime);
}
int VfsGetLastError(sqlite3_vfs*, int ASize, char* AOut)
{
    return GUnixVfs->xGetLastError(GUnixVfs, ASize, AOut);
}
int VfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* ATime)
{
    return GUnixVfs->xCurrentTimeInt64(GUnixVfs, ATime);
}

void RegisterVfs()
{
    GUnixVfs = sqlite3_vfs_find("unix");
    GMethods = sqlite3_io_methods{3, VfsClose, VfsRead, VfsWrite, VfsTruncate, VfsSync, VfsFileSize, VfsLock, VfsUnlock,
        VfsCheckReservedLock, VfsFileControl, VfsSectorSize, VfsDeviceCharacteristics, VfsShmMap, VfsShmLock,
        VfsShmBarrier, VfsShmUnmap, VfsFetch, VfsUnfetch};
    GVfs = sqlite3_vfs{};
    GVfs.iVersion = 2;
    GVfs.szOsFile = static_cast<int>(sizeof(TVfsFile)) + GUnixVfs->szOsFile;
    GVfs.mxPathname = GUnixVfs->mxPathname;
    GVfs.zName = "powercut";
    GVfs.xOpen = VfsOpen;
    GVfs.xDelete = VfsDelete;
    GVfs.xAccess = VfsAccess;
    GVfs.xFullPathname = VfsFullPathname;
    GVfs.xDlOpen = VfsDlOpen;
    GVfs.xDlError = VfsDlError;
    GVfs.xDlSym = VfsDlSym;
    GVfs.xDlClose = VfsDlClose;
    GVfs.xRandomness = VfsRandomness;
    GVfs.xSleep = VfsSleep;
    GVfs.xCurrentTime = VfsCurrentTime;
    GVfs.xGetLastError = VfsGetLastError;
    GVfs.xCurrentTimeInt64 = VfsCurrentTimeInt64;
    sqlite3_vfs_register(&GVfs, 1);
}

// --- the C library's folder changes and syncs ---

bool NeedsMode(int AFlags)
{
    return (AFlags & O_CREAT) || (AFlags & O_TMPFILE) == O_TMPFILE;
}

template <class TCall>
int OpenHook(int ADirFd, const char* APath, int AFlags, TCall ACall)
{
    if (!GWatching || !NeedsMode(AFlags))
        return ACall();
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    const std::string path = Absolute(ADirFd, APath);
    if (!Watched(path))
        return ACall();
    CutPoint();
    if ((AFlags & O_TMPFILE) == O_TMPFILE) {
        // A file without a name: it gets one by a link, if at all.
        const int fd = ACall();
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0)
            NewNode(st);
        return fd;
    }
    struct stat before {};
    const bool existed = ::lstat(path.c_str(), &before) == 0;
    const int fd = ACall();
    struct stat st {};
    if (fd >= 0 && !existed && ::fstat(fd, &st) == 0)
        Record(Parent(path), {{BaseName(path), NewNode(st)}});
    return fd;
}

int RenameHook(const std::string& AFrom, const std::string& ATo, const std::function<int()>& ACall)
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    if (!Watched(AFrom) && !Watched(ATo))
        return ACall();
    CutPoint();
    const int node = NodeOfPath(AFrom);
    KeepLastContent(ATo);
    const int result = ACall();
    if (result != 0 || node < 0 || AFrom == ATo)
        return result;
    if (Parent(AFrom) == Parent(ATo)) {
        Record(Parent(ATo), {{BaseName(ATo), node}, {BaseName(AFrom), -1}});
    } else {
        Record(Parent(AFrom), {{BaseName(AFrom), -1}});
        Record(Parent(ATo), {{BaseName(ATo), node}});
    }
    return result;
}

int LinkHook(int ANode, const std::string& ATo, const std::function<int()>& ACall)
{
    CutPoint();
    const int result = ACall();
    if (result == 0 && ANode >= 0)
        Record(Parent(ATo), {{BaseName(ATo), ANode}});
    return result;
}

int RemoveHook(const std::string& APath, const std::function<int()>& ACall)
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    if (!Watched(APath))
        return ACall();
    CutPoint();
    KeepLastContent(APath);
    const int result = ACall();
    if (result == 0)
        Record(Parent(APath), {{BaseName(APath), -1}});
    return result;
}

int MkdirHook(const std::string& APath, const std::function<int()>& ACall)
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    if (!Watched(APath))
        return ACall();
    CutPoint();
    const int result = ACall();
    struct stat st {};
    if (result == 0 && ::lstat(APath.c_str(), &st) == 0)
        Record(Parent(APath), {{BaseName(APath), NewNode(st)}});
    return result;
}

int SyncHook(int AFd, const std::function<int()>& ACall)
{
    if (!GWatching)
        return ACall();
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    struct stat st {};
    const auto found = ::fstat(AFd, &st) == 0 ? GNodeOfInode.find({st.st_dev, st.st_ino}) : GNodeOfInode.end();
    if (GCutting || found == GNodeOfInode.end())
        return ACall();
    CutPoint();
    const int result = ACall();
    if (result != 0)
        return result;
    TNode& node = GNodes[found->second];
    if (node.Dir) {
        node.SyncedEntries = ListFolder(PathOfDescriptor(AFd));
        node.Changes.clear();
    } else {
        node.Synced = ReadDescriptor(AFd);
    }
    return result;
}

int ModeOf(int AFlags, va_list AArgs)
{
    return NeedsMode(AFlags) ? va_arg(AArgs, int) : 0;
}
} // namespace

// The C library's functions, named by their symbols so the header's own
// declarations (and any 64-bit renaming of them) stay out of the way.
extern "C" {
int PowerOpen(const char* APath, int AFlags, ...) __asm__("open");
int PowerOpen64(const char* APath, int AFlags, ...) __asm__("open64");
int PowerOpenAt(int ADirFd, const char* APath, int AFlags, ...) __asm__("openat");
int PowerOpenAt64(int ADirFd, const char* APath, int AFlags, ...) __asm__("openat64");
int PowerRename(const char* AFrom, const char* ATo) __asm__("rename");
int PowerRenameAt(int AFromFd, const char* AFrom, int AToFd, const char* ATo) __asm__("renameat");
int PowerRenameAt2(int AFromFd, const char* AFrom, int AToFd, const char* ATo, unsigned int AFlags) __asm__(
    "renameat2");
int PowerLink(const char* AFrom, const char* ATo) __asm__("link");
int PowerLinkAt(int AFromFd, const char* AFrom, int AToFd, const char* ATo, int AFlags) __asm__("linkat");
int PowerUnlink(const char* APath) __asm__("unlink");
int PowerUnlinkAt(int ADirFd, const char* APath, int AFlags) __asm__("unlinkat");
int PowerRmdir(const char* APath) __asm__("rmdir");
int PowerMkdir(const char* APath, mode_t AMode) __asm__("mkdir");
int PowerMkdirAt(int ADirFd, const char* APath, mode_t AMode) __asm__("mkdirat");
int PowerFsync(int AFd) __asm__("fsync");
int PowerFdatasync(int AFd) __asm__("fdatasync");
}

int PowerOpen(const char* APath, int AFlags, ...)
{
    va_list args;
    va_start(args, AFlags);
    const int mode = ModeOf(AFlags, args);
    va_end(args);
    static const auto real = RealFunction<TOpen>("open");
    return OpenHook(AT_FDCWD, APath, AFlags, [&] { return real(APath, AFlags, mode); });
}

int PowerOpen64(const char* APath, int AFlags, ...)
{
    va_list args;
    va_start(args, AFlags);
    const int mode = ModeOf(AFlags, args);
    va_end(args);
    static const auto real = RealFunction<TOpen>("open64");
    return OpenHook(AT_FDCWD, APath, AFlags, [&] { return real(APath, AFlags, mode); });
}

int PowerOpenAt(int ADirFd, const char* APath, int AFlags, ...)
{
    va_list args;
    va_start(args, AFlags);
    const int mode = ModeOf(AFlags, args);
    va_end(args);
    static const auto real = RealFunction<TOpenAt>("openat");
    return OpenHook(ADirFd, APath, AFlags, [&] { return real(ADirFd, APath, AFlags, mode); });
}

int PowerOpenAt64(int ADirFd, const char* APath, int AFlags, ...)
{
    va_list args;
    va_start(args, AFlags);
    const int mode = ModeOf(AFlags, args);
    va_end(args);
    static const auto real = RealFunction<TOpenAt>("openat64");
    return OpenHook(ADirFd, APath, AFlags, [&] { return real(ADirFd, APath, AFlags, mode); });
}

int PowerRename(const char* AFrom, const char* ATo)
{
    static const auto real = RealFunction<TRename>("rename");
    if (!GWatching)
        return real(AFrom, ATo);
    return RenameHook(Absolute(AT_FDCWD, AFrom), Absolute(AT_FDCWD, ATo), [&] { return real(AFrom, ATo); });
}

int PowerRenameAt(int AFromFd, const char* AFrom, int AToFd, const char* ATo)
{
    static const auto real = RealFunction<TRenameAt>("renameat");
    if (!GWatching)
        return real(AFromFd, AFrom, AToFd, ATo);
    return RenameHook(Absolute(AFromFd, AFrom), Absolute(AToFd, ATo), [&] { return real(AFromFd, AFrom, AToFd, ATo); });
}

int PowerRenameAt2(int AFromFd, const char* AFrom, int AToFd, const char* ATo, unsigned int AFlags)
{
    static const auto real = RealFunction<TRenameAt2>("renameat2");
    if (!GWatching)
        return real(AFromFd, AFrom, AToFd, ATo, AFlags);
    return RenameHook(
        Absolute(AFromFd, AFrom), Absolute(AToFd, ATo), [&] { return real(AFromFd, AFrom, AToFd, ATo, AFlags); });
}

int PowerLink(const char* AFrom, const char* ATo)
{
    static const auto real = RealFunction<TLink>("link");
    if (!GWatching)
        return real(AFrom, ATo);
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    const std::string to = Absolute(AT_FDCWD, ATo);
    if (!Watched(to))
        return real(AFrom, ATo);
    return LinkHook(NodeOfPath(Absolute(AT_FDCWD, AFrom)), to, [&] { return real(AFrom, ATo); });
}

int PowerLinkAt(int AFromFd, const char* AFrom, int AToFd, const char* ATo, int AFlags)
{
    static const auto real = RealFunction<TLinkAt>("linkat");
    if (!GWatching)
        return real(AFromFd, AFrom, AToFd, ATo, AFlags);
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    const std::string to = Absolute(AToFd, ATo);
    if (!Watched(to))
        return real(AFromFd, AFrom, AToFd, ATo, AFlags);
    int node = -1;
    struct stat st {};
    if ((AFlags & AT_EMPTY_PATH) && AFrom && !*AFrom) {
        if (::fstat(AFromFd, &st) == 0)
            node = NodeOf(st);
    } else {
        node = NodeOfPath(Absolute(AFromFd, AFrom), (AFlags & AT_SYMLINK_FOLLOW) != 0);
    }
    return LinkHook(node, to, [&] { return real(AFromFd, AFrom, AToFd, ATo, AFlags); });
}

int PowerUnlink(const char* APath)
{
    static const auto real = RealFunction<TUnlink>("unlink");
    if (!GWatching)
        return real(APath);
    return RemoveHook(Absolute(AT_FDCWD, APath), [&] { return real(APath); });
}

int PowerUnlinkAt(int ADirFd, const char* APath, int AFlags)
{
    static const auto real = RealFunction<TUnlinkAt>("unlinkat");
    if (!GWatching)
        return real(ADirFd, APath, AFlags);
    return RemoveHook(Absolute(ADirFd, APath), [&] { return real(ADirFd, APath, AFlags); });
}

int PowerRmdir(const char* APath)
{
    static const auto real = RealFunction<TUnlink>("rmdir");
    if (!GWatching)
        return real(APath);
    return RemoveHook(Absolute(AT_FDCWD, APath), [&] { return real(APath); });
}

int PowerMkdir(const char* APath, mode_t AMode)
{
    static const auto real = RealFunction<TMkdir>("mkdir");
    if (!GWatching)
        return real(APath, AMode);
    return MkdirHook(Absolute(AT_FDCWD, APath), [&] { return real(APath, AMode); });
}

int PowerMkdirAt(int ADirFd, const char* APath, mode_t AMode)
{
    static const auto real = RealFunction<TMkdirAt>("mkdirat");
    if (!GWatching)
        return real(ADirFd, APath, AMode);
    return MkdirHook(Absolute(ADirFd, APath), [&] { return real(ADirFd, APath, AMode); });
}

int PowerFsync(int AFd)
{
    static const auto real = RealFunction<TSync>("fsync");
    return SyncHook(AFd, [&] { return real(AFd); });
}

int PowerFdatasync(int AFd)
{
    static const auto real = RealFunction<TSync>("fdatasync");
    return SyncHook(AFd, [&] { return real(AFd); });
}

namespace PowerDisk {
void Start(const std::string& ARoot, uint64_t ASeed, TCutModel AModel)
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    GRoot = Normal(ARoot);
    GRandom.seed(ASeed);
    GModel = AModel;
    GEvents = 0;
    GCutAt = 0;
    GNodes.clear();
    GNodeOfInode.clear();
    const int root = NodeOfPath(GRoot);
    if (root >= 0)
        TakeAsSynced(GRoot, root);
    RegisterVfs();
    GWatching = true;
}

void CutAt(uint64_t AEvent)
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    GCutAt = AEvent;
}

uint64_t Events()
{
    std::lock_guard<std::recursive_mutex> lock(GMutex);
    return GEvents;
}

void Cut(int ACode)
{
    GMutex.lock(); // never released: the process ends here
    GCutting = true;
    std::map<int, std::string> live;
    ReadLiveFiles(GRoot, live);
    const int root = NodeOfPath(GRoot);
    RemoveBelow(GRoot);
    if (root >= 0)
        WriteAfterCut(GRoot, GNodes[root], live, 0);
    ::_exit(ACode);
}
} // namespace PowerDisk
