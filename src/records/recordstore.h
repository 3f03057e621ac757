#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

/// The record's two files on disk, in plain C++ and POSIX: shared by the game (its per-user directory) and by the
/// set-group-id helper that writes the computer's shared record. Every name is reached through the directory's
/// descriptor. Every failure throws a Failure whose text names the path and the reason.
namespace recordstore {

inline constexpr std::string_view bestScoreFile = "azerbilox.txt";
inline constexpr std::string_view championFile = "nzerbilox.txt";
/// A record line is short: no more than this is ever read of a record file, whatever it holds.
inline constexpr std::size_t headBytes = 4096;

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

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

/// Completes or undoes a save that was cut short, then creates both record files empty where they are missing.
void prepare(const Directory &directory);

/// At most headBytes from the start of a record file. Anything but a regular file is refused at once, without
/// waiting on it.
std::string readHead(const Directory &directory, std::string_view name);

/// Replaces the record with `scoreText` and `name` (one line each) when `score` is greater than the score stored
/// now, under the directory's lock; returns whether it did.
bool saveIfBeaten(const Directory &directory, double score, std::string_view scoreText, std::string_view name);

} // namespace recordstore
