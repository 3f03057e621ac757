#include "window/app/dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theNameBoxTakesAtMost250characters();
};

void TestDialogs::theNameBoxTakesAtMost250characters()
{
    window::MessageBoxDialogs dialogs;
    QTimer::singleShot(0, this, [] {
        auto *field = QApplication::activeModalWidget()->findChild<QLineEdit *>();
        QTest::keyClicks(field, QString(260, u'a'));
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(dialogs.askName(QStringLiteral("Come ti chiami?")), QString(250, u'a'));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
