#include "progress/progressreport.h"
#include "progress/progresswindow.h"

#include "support/filebytes.h"

#include <QComboBox>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace progress;

namespace {

const QDateTime firstDay = QDateTime::fromString(QStringLiteral("2026-11-02T17:00:00+01:00"), Qt::ISODate);

/// Four games of `name`'s, a day apart from `day`: 7 × 1 … 7 × `wrongFacts` missed in every one, 7 × 10 missed only
/// in the first, the others right.
QList<GameResult> gamesOf(const QString &name, int wrongFacts, int day = 0)
{
    QList<GameResult> games;
    for (int game = 0; game < 4; ++game) {
        GameResult result{firstDay.addDays(day + game), name, {}, {}};
        for (int fact = 0; fact < factCount; ++fact) {
            const bool wrong = fact < wrongFacts || (fact == 9 && game == 0);
            result.facts[fact] = wrong ? Answers{0, 1} : Answers{2, 0};
            result.total.right += result.facts[fact].right;
            result.total.wrong += result.facts[fact].wrong;
        }
        games += result;
    }
    return games;
}

QString historyOf(const QTemporaryDir &home, const QList<GameResult> &games)
{
    QByteArray bytes = historyHeader();
    for (const GameResult &game : games)
        bytes += historyLine(game);
    const QString path = home.filePath(QStringLiteral("history.csv"));
    writeBytes(path, bytes);
    return path;
}

/// What `window` prints, as pdftotext reads it from the PDF in the order it was drawn (kept beside the test as `file`,
/// to be looked at), one page per form feed.
QString printedText(const ProgressWindow &window, const QString &file)
{
    {
        QPdfWriter writer(file);
        window.setPageFor(writer);
        window.printTo(writer);
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(PDFTOTEXT), {QStringLiteral("-raw"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + pdftotext.readAllStandardError();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

/// `text` without blanks, so that a name wrapped over lines reads whole.
QString unwrapped(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

class TestProgressPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aChildsPageSaysTheNameTheVerdictAndEveryFactInWords_data();
    void aChildsPageSaysTheNameTheVerdictAndEveryFactInWords();
    void aHistoryOfNoOneIsNoClassButAPageSayingSo();
    void theClassShowsAndPrintsEveryChildOnceInTheChosenOrderUnderARepeatedHeader();

private:
    QTemporaryDir m_home;
};

void TestProgressPaper::aChildsPageSaysTheNameTheVerdictAndEveryFactInWords_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("child") << QStringLiteral("Bea");
    QTest::newRow("child with a 250-character name") << QStringLiteral("Giulia ") + QString(243, u'm');
    QTest::newRow("child with markup in the name") << QStringLiteral("<b>Ugo</b> & Ada");
}

void TestProgressPaper::aChildsPageSaysTheNameTheVerdictAndEveryFactInWords()
{
    QFETCH(QString, name);
    const QString path = historyOf(m_home, gamesOf(QStringLiteral("Ciro"), 9) + gamesOf(name, 2, 10));
    const ProgressWindow window(path, name, QString());
    const QString text = printedText(window, QStringLiteral("progress-%1.pdf").arg(QTest::currentDataTag()));

    QCOMPARE(text.count(u'\f'), 1);
    QVERIFY2(unwrapped(text).contains(unwrapped(name)), qPrintable(text));
    for (const char *said : {"Da ripassare: 7 × 1, 7 × 2", "dal 12/11/2026 al 15/11/2026",
                             "In tutte queste partite: 62 giuste, 9 sbagliate"})
        QVERIFY2(text.contains(QString::fromUtf8(said)), qPrintable(text));
    // Each fact with its answers and its word, in the order the grid has them.
    qsizetype from = 0;
    for (int fact = 0; fact < factCount; ++fact) {
        const QRegularExpression cell(QStringLiteral("7 × %1\\s+\\d+ giust[ae],\\s+\\d+\\s+sbagliat[ae]\\s+%2")
                                          .arg(fact + 1)
                                          .arg(fact < 2 ? "da ripassare" : "sicuro"));
        const QRegularExpressionMatch match = cell.match(text, from);
        QVERIFY2(match.hasMatch(), qPrintable(cell.pattern() + "\n" + text));
        from = match.capturedEnd();
    }
}

void TestProgressPaper::aHistoryOfNoOneIsNoClassButAPageSayingSo()
{
    const ProgressWindow window(m_home.filePath(QStringLiteral("none.csv")), std::nullopt, QString());
    const QString text = printedText(window, QStringLiteral("progress-nobody.pdf"));
    QCOMPARE(text.count(u'\f'), 1);
    QVERIFY2(text.contains(QStringLiteral("Nessuna partita ancora con questo nome")), qPrintable(text));
}

void TestProgressPaper::theClassShowsAndPrintsEveryChildOnceInTheChosenOrderUnderARepeatedHeader()
{
    // Thirty children, none a part of another's name, from none to nine facts to practise.
    QStringList names;
    QList<GameResult> games;
    for (int child = 0; child < 30; ++child) {
        names += child == 29
                     ? QStringLiteral("Giulia ") + QString(243, u'm')
                     : QStringLiteral("Alunno %1%2").arg(QChar(u'A' + child % 26)).arg(child, 2, 10, QChar(u'0'));
        games += gamesOf(names.last(), (child * 7) % 10, child);
    }
    // The first child was never asked 7 × 5: the longest word stands in a column.
    for (int game = 0; game < 4; ++game)
        games[game].facts[4] = {};
    ProgressWindow window(historyOf(m_home, games), std::nullopt, QString());
    auto *choice = window.findChild<QComboBox *>(QStringLiteral("nameChoice"));
    choice->setCurrentIndex(choice->count() - 1);
    window.findChild<QComboBox *>(QStringLiteral("classOrder"))->setCurrentIndex(1);

    // The table's order is the one chosen, and the paper's.
    const auto *table = window.findChild<QTableWidget *>(QStringLiteral("classTable"));
    QStringList shown;
    for (int row = 0; row < table->rowCount(); ++row)
        shown += table->item(row, 0)->data(Qt::AccessibleTextRole).toString();
    QCOMPARE(shown.size(), 30);
    QCOMPARE(shown.first(), classSummary(games, ClassOrder::ByFactsToPractise).first().name);

    const QString printed = printedText(window, QStringLiteral("progress-class.pdf"));
    const qsizetype pages = printed.count(u'\f');
    const QString text = unwrapped(printed);
    QVERIFY2(pages > 1, qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("Nome7×1")), pages);
    qsizetype previous = -1;
    for (const QString &name : shown) {
        // A long name is cut short on paper, where its row would otherwise break over two pages.
        const QString printedName = unwrapped(name.left(40));
        QCOMPARE(text.count(printedName), 1);
        QVERIFY2(text.indexOf(printedName) > previous, qPrintable(name));
        previous = text.indexOf(printedName);
    }
}

QTEST_MAIN(TestProgressPaper)
#include "tst_progresspaper.moc"
