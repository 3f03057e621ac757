#include "records/store/recordstore.h"

#include "records/store/recordconstants.h"
#include "records/store/recordline.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records::store {
namespace {

// How a save keeps the pair whole. Both new files are written under temporary names and flushed to disk, then the
// directory, so that both stand complete on disk; only then is the commit marker created and made durable, and the
// two renames over the old files follow. Whatever instant the writer dies, the next start-up finds either no marker
// (the old pair stands untouched: the temporaries are dropped) or the marker beside the complete new files (the
// renames still due are made): the pair is old or new, never mixed, and nothing is left behind. Everything happens
// under an exclusive lock on a file that only the directory's own account can open, so two writers never mix their
// steps either, and no other account can hold them up.
constexpr std::string_view commitMarker = "record.commit";
constexpr std::string_view lockFile = "record.lock";
// Readable by all, writable by the owner alone: the lock file not even readable.
constexpr mode_t fileMode = 0644;
constexpr mode_t lockMode = 0600;
constexpr std::string_view temporarySuffix = ".new";
constexpr std::array recordFiles{bestScoreFile, championFile};

const std::string savingFailed = "Impossibile salvare il record in";
const std::string readingFailed = "Impossibile leggere";
const std::string creatingFailed = "Impossibile creare";
const std::string notRegular = "non è un file regolare";

[[noreturn]] void failWithErrno(const std::string &what, const std::string &path, int error = errno)
{
    // O_NOFOLLOW meets a symbolic link with ELOOP: what the user needs to hear is what stands there.
    fail(what, path, error == ELOOP ? "è un collegamento simbolico" : std::strerror(error));
}

std::string temporaryOf(std::string_view name)
{
    return std::string(name) + std::string(temporarySuffix);
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    /// Closes now, reporting the error a late write may only show here.
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

std::string secondsText(int seconds)
{
    return std::to_string(seconds) + (seconds == 1 ? " secondo" : " secondi");
}

// Held while the pair is read or changed. Another game's save takes milliseconds: past `waitSeconds` the holder is
// stuck, and the wait ends with a clear refusal instead of a frozen game.
class Lock
{
public:
    Lock(const Directory &directory, const std::string &what, int waitSeconds = longestWaitSeconds)
        : m_file(openat(directory.fd(), std::string(lockFile).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                        lockMode))
    {
        const std::string path = directory.pathOf(lockFile);
        struct stat status
        {};
        if (m_file.get() < 0 || fstat(m_file.get(), &status) != 0)
            failWithErrno(what, path);
        // A lock file that another account could open would let that account hold every game up.
        if (!S_ISREG(status.st_mode) || status.st_uid != geteuid() || (status.st_mode & 0077) != 0)
            fail(what, path, "non è un file riservato all'account del record");
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + seconds(waitSeconds);
        while (flock(m_file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                failWithErrno(what, path);
            if (steady_clock::now() >= deadline)
                fail(what, directory.path(), "un altro gioco lo sta salvando da più di " + secondsText(waitSeconds));
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

private:
    Descriptor m_file; // closing it releases the lock
};

int noFollowFlag(const Directory &directory)
{
    return directory.links() == Links::Refuse ? O_NOFOLLOW : 0;
}

/// True when `name` is a regular file, false when nothing stands there; anything else fails.
bool isRegularFile(const Directory &directory, std::string_view name, const std::string &what)
{
    const int flags = directory.links() == Links::Refuse ? AT_SYMLINK_NOFOLLOW : 0;
    struct stat status
    {};
    if (fstatat(directory.fd(), std::string(name).c_str(), &status, flags) != 0) {
        if (errno == ENOENT)
            return false;
        failWithErrno(what, directory.pathOf(name));
    }
    if (!S_ISREG(status.st_mode))
        fail(what, directory.pathOf(name), notRegular);
    return true;
}

void syncDirectory(const Directory &directory)
{
    if (fsync(directory.fd()) != 0)
        failWithErrno(savingFailed, directory.path());
}

bool isLeftover(std::string_view entry)
{
    // Ours, or the random-named ones of earlier versions.
    for (const std::string_view name : recordFiles) {
        if (entry.size() > name.size() + 1 && entry.substr(0, name.size()) == name && entry[name.size()] == '.')
            return true;
    }
    return false;
}

// Drops the temporaries of a save that never reached its commit; only regular files, only ours.
void removeLeftovers(const Directory &directory)
{
    const int fd = openat(directory.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *entries = fd < 0 ? nullptr : fdopendir(fd);
    if (entries == nullptr) {
        if (fd >= 0)
            close(fd);
        failWithErrno(savingFailed, directory.path());
    }
    while (const dirent *entry = readdir(entries)) {
        struct stat status
        {};
        if (isLeftover(entry->d_name) && fstatat(directory.fd(), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && unlinkat(directory.fd(), entry->d_name, 0) != 0) {
            const int error = errno;
            const std::string path = directory.pathOf(entry->d_name);
            closedir(entries);
            failWithErrno(savingFailed, path, error);
        }
    }
    closedir(entries);
}

// Called under the lock: completes a committed save, or drops what an uncommitted one left.
void finishInterrupted(const Directory &directory)
{
    struct stat status
    {};
    if (fstatat(directory.fd(), std::string(commitMarker).c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        for (const std::string_view name : recordFiles) {
            const std::string temporary = temporaryOf(name);
            if (isRegularFile(directory, temporary, savingFailed) &&
                renameat(directory.fd(), temporary.c_str(), directory.fd(), std::string(name).c_str()) != 0)
                failWithErrno(savingFailed, directory.pathOf(name));
        }
        syncDirectory(directory);
        if (unlinkat(directory.fd(), std::string(commitMarker).c_str(), 0) != 0)
            failWithErrno(savingFailed, directory.pathOf(commitMarker));
    }
    removeLeftovers(directory);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// The two new files and the marker of one save; until the commit point, dropping it drops them all.
class PairWriter
{
public:
    explicit PairWriter(const Directory &directory) : m_directory(directory) {}
    ~PairWriter()
    {
        if (m_committed)
            return;
        for (const std::string_view name : recordFiles)
            unlinkat(m_directory.fd(), temporaryOf(name).c_str(), 0);
        unlinkat(m_directory.fd(), std::string(commitMarker).c_str(), 0);
    }
    PairWriter(const PairWriter &) = delete;
    PairWriter &operator=(const PairWriter &) = delete;

    /// Writes `bytes` into the temporary of `name` and flushes it to disk.
    void write(std::string_view name, std::string_view bytes)
    {
        Descriptor file(openat(m_directory.fd(), temporaryOf(name).c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fileMode));
        if (file.get() < 0 || !writeAll(file.get(), bytes) || fsync(file.get()) != 0 || !file.close())
            failWithErrno(savingFailed, m_directory.pathOf(name));
    }

    void commit()
    {
        syncDirectory(m_directory);
        Descriptor marker(openat(m_directory.fd(), std::string(commitMarker).c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fileMode));
        if (marker.get() < 0 || !marker.close())
            failWithErrno(savingFailed, m_directory.pathOf(commitMarker));
        syncDirectory(m_directory);
        // The commit point: from here a failure leaves the marker, and the next start-up completes the save.
        m_committed = true;
        for (const std::string_view name : recordFiles) {
            if (renameat(m_directory.fd(), temporaryOf(name).c_str(), m_directory.fd(), std::string(name).c_str()) != 0)
                failWithErrno(savingFailed, m_directory.pathOf(name));
        }
        syncDirectory(m_directory);
        if (unlinkat(m_directory.fd(), std::string(commitMarker).c_str(), 0) != 0)
            failWithErrno(savingFailed, m_directory.pathOf(commitMarker));
    }

private:
    const Directory &m_directory;
    bool m_committed = false;
};

void writePair(const Directory &directory, std::string_view bestScore, std::string_view champion)
{
    PairWriter pair(directory);
    pair.write(bestScoreFile, bestScore);
    pair.write(championFile, champion);
    pair.commit();
}

bool isOwnedByAnotherAccount(const Directory &directory, std::string_view name)
{
    struct stat status
    {};
    return fstatat(directory.fd(), std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           status.st_uid != geteuid();
}

// What another account's record file holds, as far as that account lets it be read.
std::string headOfAnother(const Directory &directory, std::string_view name)
{
    try {
        return readHead(directory, name);
    } catch (const Failure &) {
        return {};
    }
}

// Called under the lock, once a cut-short save is settled. A record file of another account (the player who set the
// record, under an earlier version) could be changed, chmod-ed or leased by that account: the pair is written
// afresh as this account's own, with the bytes it holds (none, if that account made it unreadable).
void adoptPair(const Directory &directory)
{
    if (isOwnedByAnotherAccount(directory, bestScoreFile) || isOwnedByAnotherAccount(directory, championFile))
        writePair(directory, headOfAnother(directory, bestScoreFile), headOfAnother(directory, championFile));
}

void prepareUnderLock(const Directory &directory)
{
    for (const std::string_view name : recordFiles)
        isRegularFile(directory, name, readingFailed);
    finishInterrupted(directory);
    // Only a missing file is opened for writing: a file that stands is left alone, whatever lease it carries.
    for (const std::string_view name : recordFiles) {
        Descriptor file(
            openat(directory.fd(), std::string(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, fileMode));
        if ((file.get() < 0 && errno != EEXIST) || (file.get() >= 0 && !file.close()))
            failWithErrno(creatingFailed, directory.pathOf(name));
    }
    adoptPair(directory);
}

} // namespace

void fail(const std::string &what, const std::string &path, const std::string &reason)
{
    throw Failure(what + ' ' + path + ": " + reason);
}

Directory::Directory(std::string path, Links links) : m_path(std::move(path)), m_links(links)
{
    m_fd = open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (m_fd < 0) {
        const int error = errno;
        // O_DIRECTORY meets a symbolic link with ENOTDIR: say what really stands there.
        struct stat status
        {};
        const bool isLink = lstat(m_path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
        failWithErrno("Impossibile aprire la cartella dei record", m_path, isLink ? ELOOP : error);
    }
}

Directory::~Directory()
{
    close(m_fd);
}

std::string Directory::pathOf(std::string_view name) const
{
    return m_path + '/' + std::string(name);
}

void prepare(const Directory &directory)
{
    const Lock lock(directory, creatingFailed);
    prepareUnderLock(directory);
}

Pair readPair(const Directory &directory)
{
    const Lock lock(directory, "Impossibile leggere il record in", longestReadWaitSeconds);
    prepareUnderLock(directory);
    return {readHead(directory, bestScoreFile), readHead(directory, championFile)};
}

std::string readHead(const Directory &directory, std::string_view name, std::size_t most)
{
    const std::string path = directory.pathOf(name);
    // Not blocking: a FIFO in the file's place must not hold the open until a writer comes.
    const Descriptor file(
        openat(directory.fd(), std::string(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | noFollowFlag(directory)));
    if (file.get() < 0)
        failWithErrno(readingFailed, path);
    struct stat status
    {};
    if (fstat(file.get(), &status) != 0)
        failWithErrno(readingFailed, path);
    if (!S_ISREG(status.st_mode))
        fail(readingFailed, path, notRegular);
    std::string head(most, '\0');
    std::size_t got = 0;
    while (got < most) {
        const ssize_t count = read(file.get(), head.data() + got, most - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            failWithErrno(readingFailed, path);
        if (count == 0)
            break;
        got += std::size_t(count);
    }
    head.resize(got);
    return head;
}

bool saveIfBeaten(const Directory &directory, int score, std::string_view name)
{
    const Lock lock(directory, savingFailed);
    // Nothing is touched while anything but a regular file stands in a record file's place.
    for (const std::string_view file : recordFiles)
        isRegularFile(directory, file, savingFailed);
    finishInterrupted(directory);
    // Tested again against the score stored now: another game may have set a higher one since this one started.
    const std::string stored =
        isRegularFile(directory, bestScoreFile, savingFailed) ? readHead(directory, bestScoreFile) : std::string();
    if (!(score > storedScoreOf(stored)))
        return false;
    writePair(directory, std::to_string(score) + "\r\n", std::string(name) + "\r\n");
    return true;
}

void replaceFile(const Directory &directory, std::string_view name, std::string_view bytes, mode_t mode,
                 const std::string &what)
{
    const std::string temporary = temporaryOf(name);
    unlinkat(directory.fd(), temporary.c_str(), 0);
    Descriptor file(
        openat(directory.fd(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (file.get() < 0)
        failWithErrno(what, directory.pathOf(temporary));
    if (!writeAll(file.get(), bytes) || fsync(file.get()) != 0 || !file.close() ||
        renameat(directory.fd(), temporary.c_str(), directory.fd(), std::string(name).c_str()) != 0) {
        const int error = errno;
        unlinkat(directory.fd(), temporary.c_str(), 0);
        failWithErrno(what, directory.pathOf(name), error);
    }
}

} // namespace records::store
