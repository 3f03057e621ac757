#pragma once

#include "engine/round.h"
#include "records/recordfiles.h"
#include "window/game/gamewindow.h"
#include "window/widgets/designlabel.h"
#include "window/widgets/drawingsurface.h"

#include "support/fakerandom.h"
#include "support/playanswers.h"
#include "support/recordingperformer.h"
#include "support/scripteddialogs.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

/// A round and the game window that shows it, whose boxes are answered by a script, whose narrator (Merlin loaded)
/// only records, whose random fractions are fixed, and whose record files live in a fresh data directory of its
/// own, unless the test gives it another record. Tests drive the round, or the window through its keys; its controls
/// are found by their objectName, as the accessibility bus finds them.
struct StartedGame
{
    explicit StartedGame(const QString &name = QStringLiteral("Giulia"), QList<float> fractions = {0.5f},
                         std::unique_ptr<records::RecordKeeper> record = records::chooseRecordKeeper())
        : dialogs(new ScriptedDialogs), performer(new RecordingPerformer), random(new FakeRandom(std::move(fractions))),
          round(std::unique_ptr<engine::RandomSource>(random)), narrator(performer, nullptr),
          gameWindow(round, narrator, std::unique_ptr<window::Dialogs>(dialogs), std::move(record))
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        dialogs->name = name;
        narrator.characters().load(narrator::merlinName);
    }

    /// What start-up does: prepare, show, begin.
    void start()
    {
        gameWindow.prepareGame();
        gameWindow.show();
        gameWindow.beginGame();
    }

    /// Shown and active, without start-up's boxes: as a test of one handler needs it.
    void showActive()
    {
        gameWindow.show();
        gameWindow.activateWindow();
        if (!QTest::qWaitForWindowActive(&gameWindow))
            qFatal("the window never became active");
    }

    void play(int right, int wrong) { playAnswers(round, right, wrong); }

    template <typename Control = QWidget> Control *control(const char *objectName) const
    {
        auto *found = gameWindow.findChild<Control *>(QLatin1String(objectName));
        if (!found)
            qFatal("no control %s", objectName);
        return found;
    }
    window::DesignLabel *label(const char *objectName) const { return control<window::DesignLabel>(objectName); }
    QLineEdit *answerBox() const { return control<QLineEdit>("Text3"); }
    QPushButton *nextButton() const { return control<QPushButton>("cmdNext"); }
    QPushButton *exitButton() const { return control<QPushButton>("cmdExit1"); }
    window::DrawingSurface *surface() const { return gameWindow.findChild<window::DrawingSurface *>(); }

    QString recordPath(const QString &fileName) const { return records::recordDirectory() + fileName; }

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
    FakeRandom *random;
    engine::Round round;
    narrator::Agent narrator;
    window::GameWindow gameWindow;
};
