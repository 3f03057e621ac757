#include "window/app/dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theNameBoxTakesAtMost250Characters();
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
