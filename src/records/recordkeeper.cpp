#include "records/recordkeeper.h"

#include "records/local8bit.h"
#include "records/serviceclient.h"
#include "records/store/recordstore.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace records {
namespace {

// The files' own work reports through store::Failure; here it becomes an outcome.
template <typename T, typename Work> Outcome<T> attempt(Work work)
{
    try {
        return work();
    } catch (const store::Failure &failure) {
        return Outcome<T>::failure(QString::fromLocal8Bit(failure.what()));
    }
}

/// The account's own record, in its data directory.
class UserRecord final : public RecordKeeper
{
public:
    bool isShared() const override { return false; }
    Outcome<> prepare() override
    {
        return attempt<std::monostate>([this] {
            m_directory = recordDirectory();
            return std::monostate{};
        });
    }
    // Only this account writes its own record.
    Outcome<> startTimedGame() override { return std::monostate{}; }
    Outcome<StoredRecord> readPair() override
    {
        return attempt<StoredRecord>([this] { return readRecord(m_directory); });
    }
    Outcome<StoredRecord> readPairAsItStands() override
    {
        if (!QFile::exists(m_directory + bestScoreFileName) || !QFile::exists(m_directory + championFileName))
            return StoredRecord{};
        return readPair();
    }
    Outcome<bool> saveBest(qint16 score, const QString &name) override
    {
        return attempt<bool>([&] { return saveRecord(m_directory, score, name); });
    }

private:
    QString m_directory;
};

/// The computer's shared record, read and written only by the record service.
class SharedRecord final : public RecordKeeper
{
public:
    explicit SharedRecord(const QString &socket) : m_service(socket) {}

    bool isShared() const override { return true; }
    Outcome<> prepare() override { return std::monostate{}; }
    Outcome<> startTimedGame() override
    {
        return attempt<std::monostate>([this] {
            m_ticket = m_service.ticket();
            return std::monostate{};
        });
    }
    Outcome<StoredRecord> readPair() override
    {
        return attempt<StoredRecord>([this] { return m_service.readPair(); });
    }
    // The computer's record is made when the game is installed.
    Outcome<StoredRecord> readPairAsItStands() override { return readPair(); }
    Outcome<bool> saveBest(qint16 score, const QString &name) override
    {
        return attempt<bool>([&] {
            if (m_ticket.isEmpty()) {
                store::fail("Impossibile salvare il record in", local8Bit(sharedDirectory()),
                            "il servizio quorvane-record non ha visto iniziare questa partita");
            }
            // The service takes each ticket once, whatever its answer.
            return m_service.save(std::exchange(m_ticket, {}), score, name);
        });
    }

private:
    ServiceClient m_service;
    QByteArray m_ticket;
};

} // namespace

std::unique_ptr<RecordKeeper> sharedRecordKeeper(const QString &socket)
{
    return std::make_unique<SharedRecord>(socket);
}

std::unique_ptr<RecordKeeper> chooseRecordKeeper()
{
    if (!QFileInfo(recordServiceProgram()).isExecutable())
        return std::make_unique<UserRecord>();
    if (QFileInfo::exists(recordServiceSocket()) || QFileInfo(QStringLiteral("/run/systemd/system")).isDir())
        return sharedRecordKeeper(recordServiceSocket());
    qWarning("quorvane: il record del computer è tenuto dal servizio quorvane-record di systemd, che qui non c'è: "
             "gioco con il record di questo account");
    return std::make_unique<UserRecord>();
}

} // namespace records
