#include "records/serviceclient.h"

#include "records/local8bit.h"
#include "records/store/recordconstants.h"
#include "records/store/recordstore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>

#include <algorithm>

namespace records {
namespace {

using namespace std::chrono_literals;

// A game about to start must not wait long for the record; a save may wait for another game's save to finish. Each
// is half a second longer than the service's own wait for the record's lock, so that the child hears its reason.
constexpr auto readLimit = std::chrono::seconds(store::longestReadWaitSeconds) + 500ms;
constexpr auto saveLimit = std::chrono::seconds(store::longestWaitSeconds) + 500ms;

const std::string readingFailed = "Impossibile leggere il record in";

// The longest answer the service gives: the read's line and the heads of both files.
constexpr qsizetype longestAnswer = 64 + 2 * qsizetype(store::headBytes);

// Why no connection was made, in the player's words.
QString unreachable(const QLocalSocket &socket, const QString &path)
{
    switch (socket.error()) {
    case QLocalSocket::ServerNotFoundError:
        return QStringLiteral("nessun servizio quorvane-record in ascolto su %1").arg(path);
    case QLocalSocket::ConnectionRefusedError:
        return QStringLiteral("il servizio quorvane-record su %1 rifiuta la connessione").arg(path);
    case QLocalSocket::SocketAccessError:
        return QStringLiteral("accesso negato a %1").arg(path);
    default:
        return QStringLiteral("il servizio quorvane-record su %1 non risponde (%2)").arg(path, socket.errorString());
    }
}

} // namespace

QString sharedDirectory()
{
    return QStringLiteral(QUORVANE_SHARED_RECORD_DIR);
}

QString recordServiceProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(QUORVANE_RECORD_SERVICE));
}

QString recordServiceSocket()
{
    return QStringLiteral(QUORVANE_RECORD_SOCKET);
}

void ServiceClient::failWith(const std::string &what, const QString &reason) const
{
    store::fail(what, local8Bit(sharedDirectory()), local8Bit(reason));
}

QByteArray ServiceClient::ask(const QByteArray &request, std::chrono::milliseconds limit, const std::string &what) const
{
    const QDeadlineTimer deadline(limit);
    QLocalSocket socket;
    socket.connectToServer(m_socket);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        failWith(what, unreachable(socket, m_socket));
    socket.write(request);
    QByteArray answer;
    // The service closes the connection once it has answered: only then is the answer whole.
    while (socket.state() == QLocalSocket::ConnectedState) {
        if (deadline.hasExpired()) {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit).count();
            failWith(what, QStringLiteral("il servizio quorvane-record non ha risposto entro %1 %2")
                               .arg(seconds)
                               .arg(seconds == 1 ? QStringLiteral("secondo") : QStringLiteral("secondi")));
        }
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(int(deadline.remainingTime()));
        else
            socket.waitForReadyRead(int(deadline.remainingTime()));
        answer += socket.readAll();
        if (answer.size() > longestAnswer)
            break;
    }
    answer += socket.readAll();
    // Its reason names the path and the cause, in the service's own words.
    if (answer.startsWith("refused ") && answer.endsWith('\n') && answer.count('\n') == 1)
        throw store::Failure(answer.sliced(8).chopped(1).toStdString());
    return answer;
}

void ServiceClient::failAnswer(const std::string &what) const
{
    failWith(what, QStringLiteral("il servizio quorvane-record ha dato una risposta non valida"));
}

QByteArray ServiceClient::ticket() const
{
    const std::string what = "Impossibile registrare l'inizio della partita presso il record in";
    const QByteArray answer = ask("begin\n", readLimit, what);
    const QByteArray ticket = answer.mid(7, 32);
    const bool wellFormed = answer.size() == 40 && answer.startsWith("ticket ") && answer.endsWith('\n') &&
                            std::all_of(ticket.cbegin(), ticket.cend(),
                                        [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    if (!wellFormed)
        failAnswer(what);
    return ticket;
}

// The answer to a read: "ok <n1> <n2>", then the bytes of both files' heads, best score first.
StoredRecord ServiceClient::readPair() const
{
    const QByteArray answer = ask("read\n", readLimit, readingFailed);
    const qsizetype lineEnd = answer.indexOf('\n');
    const QList<QByteArray> words = answer.left(lineEnd).split(' ');
    // No more than a head of each file: a larger length is no answer of the service's.
    const auto headLength = [&words](int word) {
        bool ok = false;
        const qsizetype length = words.value(word).toLongLong(&ok);
        return ok && length >= 0 && length <= qsizetype(store::headBytes) ? length : -1;
    };
    const qsizetype scoreLength = headLength(1);
    const qsizetype nameLength = headLength(2);
    if (lineEnd < 0 || words.size() != 3 || words.first() != "ok" || scoreLength < 0 || nameLength < 0 ||
        answer.size() != lineEnd + 1 + scoreLength + nameLength) {
        failAnswer(readingFailed);
    }
    const std::string_view bytes(answer.constData() + lineEnd + 1, std::size_t(scoreLength + nameLength));
    return recordOf(bytes.substr(0, std::size_t(scoreLength)), bytes.substr(std::size_t(scoreLength)));
}

bool ServiceClient::save(const QByteArray &ticket, qint16 score, const QString &name) const
{
    const std::string what = "Impossibile salvare il record in";
    const QByteArray answer =
        ask("save " + ticket + ' ' + QByteArray::number(score) + ' ' + name.toUtf8() + '\n', saveLimit, what);
    if (answer != "saved\n" && answer != "kept\n")
        failAnswer(what);
    return answer == "saved\n";
}

} // namespace records
