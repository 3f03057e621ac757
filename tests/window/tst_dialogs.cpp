#include "window/app/dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theNameBoxTakesAtMost250Characters();
    void theNameBoxTakesOnlyANameTheRecordKeeps_data();
    void theNameBoxTakesOnlyANameTheRecordKeeps();
    void aBoxBelongsToTheGameWindowWhenNoWindowIsActive_data();
    void aBoxBelongsToTheGameWindowWhenNoWindowIsActive();
};

void TestDialogs::theNameBoxTakesAtMost250Characters()
{
    window::MessageBoxDialogs dialogs;
    QTimer::singleShot(0, this, [] {
        auto *field = QApplication::activeModalWidget()->findChild<QLineEdit *>();
        QTest::keyClicks(field, QString(260, u'a'));
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(dialogs.askName(QStringLiteral("Come ti chiami?")), QString(250, u'a'));
}

void TestDialogs::theNameBoxTakesOnlyANameTheRecordKeeps_data()
{
    // Typed in ASCII (QTest types nothing else), then pasted.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("taken");

    QTest::newRow("accents") << u"Nic"_s << u"colò"_s << u"Niccolò"_s;
    QTest::newRow("apostrophe") << u"D'"_s << u"Amico"_s << u"D'Amico"_s;
    QTest::newRow("direction override") << u"Anna"_s << u"\u202E ozzaM"_s << u"Anna"_s;
    QTest::newRow("zero-width space") << u"Anna"_s << u"\u200BMaria"_s << u"Anna"_s;
    // A blank alone stays typeable, so that the box never refuses the first key of " Anna"; blanks alone are no name.
    QTest::newRow("a leading blank") << u" Anna"_s << QString() << u" Anna"_s;
    QTest::newRow("blanks alone") << u"   "_s << QString() << QString();
}

void TestDialogs::theNameBoxTakesOnlyANameTheRecordKeeps()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, taken);
    QGuiApplication::clipboard()->setText(pasted);
    window::MessageBoxDialogs dialogs;
    QTimer::singleShot(0, this, [&typed, &pasted] {
        auto *field = QApplication::activeModalWidget()->findChild<QLineEdit *>();
        QTest::keyClicks(field, typed);
        if (!pasted.isEmpty())
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(dialogs.askName(QStringLiteral("Come ti chiami?")), taken);
}

void TestDialogs::aBoxBelongsToTheGameWindowWhenNoWindowIsActive_data()
{
    QTest::addColumn<bool>("askingTheName");
    QTest::newRow("the name box") << true;
    QTest::newRow("a message box") << false;
}

void TestDialogs::aBoxBelongsToTheGameWindowWhenNoWindowIsActive()
{
    // As on Wayland, where the compositor may leave every window of the program inactive.
    QFETCH(bool, askingTheName);
    QMainWindow game;
    game.show();
    // Qt 6.5 deprecates it for programs, but nothing else leaves every window inactive.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(nullptr);
    QT_WARNING_POP
    QWidget *owner = nullptr;
    QTimer::singleShot(0, this, [&owner] {
        owner = QApplication::activeModalWidget()->parentWidget();
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    window::MessageBoxDialogs dialogs;
    askingTheName ? void(dialogs.askName(QStringLiteral("Come ti chiami?"))) : dialogs.tell(QStringLiteral("Ciao"));
    QCOMPARE(owner, &game);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
