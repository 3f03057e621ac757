#pragma once

#include "records/recordfiles.h"
#include "window/tavola.h"

#include "support/fakerandom.h"
#include "support/recordingperformer.h"
#include "support/scripteddialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

/// A window whose boxes are answered by a script, whose narrator only records, and whose record
/// files live in a fresh data directory of its own.
struct StartedGame
{
    explicit StartedGame(const QString &name = QStringLiteral("Giulia"))
        : dialogs(new ScriptedDialogs), performer(new RecordingPerformer),
          tavola(std::unique_ptr<window::Dialogs>(dialogs), performer, std::make_unique<FakeRandom>(QList{0.5f}))
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        dialogs->name = name;
    }

    /// What start-up does: load, show, activate.
    void start()
    {
        tavola.Form_Load();
        tavola.show();
        tavola.Form_Activate();
    }

    QString recordPath(const QString &fileName) const { return records::GetSystemDir() + fileName; }

    QByteArray readRecord(const QString &fileName) const
    {
        QFile file(recordPath(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }

    void writeRecord(const QString &fileName, const QByteArray &content) const
    {
        QFile file(recordPath(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir data;
    ScriptedDialogs *dialogs;
    RecordingPerformer *performer;
    window::Tavola tavola;
};
