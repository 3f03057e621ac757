#pragma once

#include "records/store/recordconstants.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/types.h>

/// The record's two files on disk, in plain C++ and POSIX: shared by the game (its per-user directory) and by the
/// record service that alone writes the computer's shared record. Every name is reached through the directory's
/// descriptor. Every failure throws a Failure whose text names the path and the reason.
namespace records::store {

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// Throws the Failure "<what> <path>: <reason>".
[[noreturn]] void fail(const std::string &what, const std::string &path, const std::string &reason);

/// Whether a symbolic link may stand for the directory or for a record file.
enum class Links
{
    Follow,
    Refuse
};

/// An open record directory.
class Directory
{
public:
    /// Opens `path` (no trailing separator).
    Directory(std::string path, Links links);
    ~Directory();
    Directory(const Directory &) = delete;
    Directory &operator=(const Directory &) = delete;

    int fd() const { return m_fd; }
    Links links() const { return m_links; }
    const std::string &path() const { return m_path; }
    std::string pathOf(std::string_view name) const;

private:
    std::string m_path;
    int m_fd = -1;
    Links m_links;
};

/// The start of both record files.
struct Pair
{
    std::string bestScore;
    std::string champion;
};

/// Under the directory's lock: completes or undoes a save that was cut short, makes record files that another
/// account owns this account's own (content unchanged), and creates the missing ones empty.
void prepare(const Directory &directory);

/// prepare(), then the start of both files read under the same lock: never a pair torn by another game's save. Waits
/// at most longestReadWaitSeconds for the lock.
Pair readPair(const Directory &directory);

/// At most `most` bytes from the start of a file of the directory. Anything but a regular file is refused at once,
/// without waiting on it.
std::string readHead(const Directory &directory, std::string_view name, std::size_t most = headBytes);

/// Replaces the file `name` of the directory whole with `bytes`, made with `mode`: written under a temporary name
/// (one an earlier failure left is dropped first), flushed to disk, then renamed over it, so that after a crash it
/// holds the old bytes or the new ones. For a file that stands alone: the pair's two files change together.
/// Failures say "<what> <path>: <reason>".
void replaceFile(const Directory &directory, std::string_view name, std::string_view bytes, mode_t mode,
                 const std::string &what);

/// Replaces the record with `score` and `name` (one line each) when `score` beats the stored score now, under the
/// directory's lock; returns whether it did.
bool saveIfBeaten(const Directory &directory, int score, std::string_view name);

} // namespace records::store
