#pragma once

#include "records/recordfiles.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <string>

/// The game's side of the record service, the system service that alone reads and writes the computer's shared
/// record. One request per connection: the service answers it and closes.
namespace records {

/// The computer's shared record directory, without a trailing separator: failures name it.
QString sharedDirectory();

/// Where the record service's program is installed, relative to the game's own program.
QString recordServiceProgram();

/// The socket the record service listens on, compiled in.
QString recordServiceSocket();

/// The record service listening at one socket. Every call throws a std::runtime_error: the service's own reason when
/// it refuses, or "<what> <shared directory>: <reason>" when it cannot be asked.
class ServiceClient
{
public:
    explicit ServiceClient(QString socket) : m_socket(std::move(socket)) {}

    /// A ticket for a game whose countdown starts now: only a save that names it is taken.
    QByteArray ticket() const;
    /// The pair as it stands, read under the service's lock.
    StoredRecord readPair() const;
    /// Saves `score` and `name` for the game of `ticket` when `score` beats the stored score now: true when it did.
    bool save(const QByteArray &ticket, qint16 score, const QString &name) const;

private:
    /// Sends `request` and returns the whole answer, which the service ends by closing; throws when no answer has
    /// come within `limit`, or when the service refuses.
    QByteArray ask(const QByteArray &request, std::chrono::milliseconds limit, const std::string &what) const;
    [[noreturn]] void failWith(const std::string &what, const QString &reason) const;
    [[noreturn]] void failAnswer(const std::string &what) const;

    QString m_socket;
};

} // namespace records
