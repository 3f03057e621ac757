#include "records/recordkeeper.h"

#include "records/helperclient.h"
#include "records/store/recordconstants.h"
#include "records/store/recordstore.h"

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
    Outcome<> beginGame() override
    {
        return attempt<std::monostate>([this] {
            m_directory = recordDirectory();
            return std::monostate{};
        });
    }
    Outcome<StoredRecord> readPair() override
    {
        return attempt<StoredRecord>([this] { return readRecord(m_directory); });
    }
    Outcome<bool> saveBest(qint16 score, const QString &name) override
    {
        return attempt<bool>([&] { return saveRecord(m_directory, score, name); });
    }

private:
    QString m_directory;
};

/// The computer's shared record, read and written only through the record helper.
class SharedRecord final : public RecordKeeper
{
public:
    bool isShared() const override { return true; }
    Outcome<> beginGame() override { return std::monostate{}; }
    Outcome<StoredRecord> readPair() override
    {
        return attempt<StoredRecord>([] { return readRecord(sharedDirectory() + u'/'); });
    }
    Outcome<bool> saveBest(qint16 score, const QString &name) override
    {
        return attempt<bool>([&] { return saveRecord(sharedDirectory() + u'/', score, name); });
    }
};

} // namespace

std::unique_ptr<RecordKeeper> chooseRecordKeeper()
{
    if (sharedRecordInstalled())
        return std::make_unique<SharedRecord>();
    return std::make_unique<UserRecord>();
}

} // namespace records
