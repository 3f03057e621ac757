#pragma once

#include "outcome/outcome.h"
#include "records/recordfiles.h"

#include <memory>

namespace records {

/// The record as one game meets it: the computer's record service when the game is installed, otherwise the
/// account's own files. Every call returns its outcome; none throws.
class RecordKeeper
{
public:
    virtual ~RecordKeeper() = default;

    /// Whether other accounts' games keep it too: then another child can make it fail, and its failures must never
    /// end this game.
    virtual bool isShared() const = 0;

    /// Readies the record for this game: finds its place, creating the per-user directory when it is missing.
    virtual Outcome<> prepare() = 0;
    /// The countdown of a game that may set a record starts now: the shared record takes only a save whose score the
    /// time since then allows.
    virtual Outcome<> startTimedGame() = 0;
    /// The pair as it stands, never torn by another game's save; the missing files are created empty.
    virtual Outcome<StoredRecord> readPair() = 0;
    /// The pair for a game that never saves: as readPair(), but the account's own record not made yet reads empty, and
    /// no file is created.
    virtual Outcome<StoredRecord> readPairAsItStands() = 0;
    /// Saves `score` and `name` as the new best when `score` still beats the stored score now (another game may
    /// have saved since this one began): true when it did.
    virtual Outcome<bool> saveBest(qint16 score, const QString &name) = 0;
};

/// The keeper this computer has, chosen once at start-up. When the record service is installed beside the game: the
/// shared one when its socket exists or systemd runs, otherwise (a chroot, a container, another init) the per-user
/// one, said once on standard error. Not installed (run from its folder): the per-user one. Touches nothing on disk.
std::unique_ptr<RecordKeeper> chooseRecordKeeper();

/// The computer's record, kept by the record service listening at `socket`.
std::unique_ptr<RecordKeeper> sharedRecordKeeper(const QString &socket);

} // namespace records
