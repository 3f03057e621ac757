#pragma once

#include "outcome/outcome.h"
#include "records/recordfiles.h"

#include <memory>

namespace records {

/// The record as one game meets it: the computer's shared keeper when the game is installed, otherwise the
/// account's own files. Every call returns its outcome; none throws.
class RecordKeeper
{
public:
    virtual ~RecordKeeper() = default;

    /// Whether other accounts' games keep it too: then another child can make it fail, and its failures must never
    /// end this game.
    virtual bool isShared() const = 0;

    /// Readies the record for this game: finds its place, creating the per-user directory when it is missing.
    virtual Outcome<> beginGame() = 0;
    /// The pair as it stands, never torn by another game's save; the missing files are created empty.
    virtual Outcome<StoredRecord> readPair() = 0;
    /// Saves `score` and `name` as the new best when `score` still beats the stored score now (another game may
    /// have saved since this one began): true when it did.
    virtual Outcome<bool> saveBest(qint16 score, const QString &name) = 0;
};

/// The keeper this computer has, chosen once at start-up: the shared one when its directory exists and the record
/// helper is installed beside the game, otherwise the per-user one. Touches nothing on disk.
std::unique_ptr<RecordKeeper> chooseRecordKeeper();

} // namespace records
