#include "window/widgets/layout.h"
#include "window/widgets/shape.h"

#include "support/startedgame.h"

#include <QAction>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using window::GameWindow;

namespace {

struct Window : StartedGame
{
    Window() { showActive(); }

    QWidget *control(const QString &name) const { return gameWindow.findChild<QWidget *>(name); }
};

QRect pixels(int left, int top, int width, int height)
{
    return window::TwipsRect{left, top, width, height}.toPixels();
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyControlStandsWhereTheDesignPutsIt_data();
    void everyControlStandsWhereTheDesignPutsIt();
    void fontsResolveToInstalledTwinsAtTheDesignSize_data();
    void fontsResolveToInstalledTwinsAtTheDesignSize();
    void controlsHaveTheDesignColours_data();
    void controlsHaveTheDesignColours();
    void tooltipsAndAccessibleNamesKeepTheirExactTexts_data();
    void tooltipsAndAccessibleNamesKeepTheirExactTexts();
    void answerBoxTakesAtMost250Characters();
    void tabSkipsTheDisabledNextButton();
    void accessKeysPressOnlyEnabledButtons();
    void sizedToFitLabelKeepsItsCornerWhileItsCaptionChanges_data();
    void sizedToFitLabelKeepsItsCornerWhileItsCaptionChanges();
    void windowHasAFixedClientAreaTheDesignCaptionAndCreditMenus();
    void grabShowsTheDesignColours_data();
    void grabShowsTheDesignColours();
    void bandsShowThroughATransparentLabel();
    void closingTheWindowAsksAndTellsNothing();
};

void TestLayout::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    window::registerFontSubstitutes();
}

void TestLayout::everyControlStandsWhereTheDesignPutsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("sizedToFit");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Shape4") << "Shape4" << pixels(0, 0, 3375, 4455) << false << true << true;
    QTest::newRow("Shape2") << "Shape2" << pixels(120, 120, 3135, 4215) << false << true << true;
    QTest::newRow("Label6") << "Label6" << pixels(360, 240, 2625, 555) << true << true << true;
    QTest::newRow("lblScore") << "lblScore" << pixels(1440, 840, 315, 540) << true << true << true;
    QTest::newRow("Label1") << "Label1" << pixels(360, 1560, 2595, 555) << true << true << true;
    QTest::newRow("lblScore1") << "lblScore1" << pixels(1560, 2160, 300, 540) << true << true << true;
    QTest::newRow("Label3") << "Label3" << pixels(360, 2880, 2505, 555) << true << true << true;
    QTest::newRow("lblScore2") << "lblScore2" << pixels(1560, 3600, 315, 540) << true << true << true;
    QTest::newRow("Shape5") << "Shape5" << pixels(8400, 0, 3495, 2055) << false << true << true;
    QTest::newRow("Shape3") << "Shape3" << pixels(8510, 50, 3300, 1965) << false << true << true;
    QTest::newRow("Image1") << "Image1" << pixels(9885, 120, 480, 480) << false << true << true;
    QTest::newRow("Label11") << "Label11" << pixels(9270, 720, 1815, 615) << false << true << true;
    QTest::newRow("lblconto") << "lblconto" << pixels(9360, 1200, 1575, 375) << false << true << true;
    QTest::newRow("lblNum1") << "lblNum1" << pixels(3840, 0, 345, 1185) << true << false << true;
    QTest::newRow("Label10") << "Label10" << pixels(5640, 120, 615, 975) << false << false << true;
    QTest::newRow("lblNum2") << "lblNum2" << pixels(7560, 0, 345, 1185) << true << false << true;
    QTest::newRow("lblMessage") << "lblMessage" << pixels(6360, 2040, 1305, 1275) << true << true << true;
    QTest::newRow("Shape1") << "Shape1" << pixels(2880, 4920, 7335, 1335) << false << true << true;
    QTest::newRow("Text3") << "Text3" << pixels(3120, 5040, 6855, 1125) << false << true << true;
    QTest::newRow("cmdNext starts disabled") << "cmdNext" << pixels(3120, 6360, 1815, 855) << false << true << false;
    QTest::newRow("cmdExit1") << "cmdExit1" << pixels(8160, 6360, 1815, 855) << false << true << true;
    QTest::newRow("Label14") << "Label14" << pixels(120, 6360, 1425, 420) << true << true << true;
    QTest::newRow("lblnome1") << "lblnome1" << pixels(120, 7200, 645, 420) << true << true << true;
    QTest::newRow("Label12") << "Label12" << pixels(120, 7680, 2295, 375) << false << true << true;
    QTest::newRow("lblnome") << "lblnome" << pixels(2400, 7680, 990, 435) << true << true << true;
    QTest::newRow("Label13") << "Label13" << pixels(6000, 7680, 1455, 435) << true << true << true;
    QTest::newRow("lblpunti") << "lblpunti" << pixels(7680, 7680, 195, 435) << true << true << true;
}

void TestLayout::everyControlStandsWhereTheDesignPutsIt()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(bool, sizedToFit);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    Window w;
    QWidget *control = w.control(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), w.surface());
    QCOMPARE(control->isVisible(), visible);
    QCOMPARE(control->isEnabled(), enabled);
    if (sizedToFit) {
        // The design's size is that of the caption in the design's fonts; here it is the caption's.
        QCOMPARE(control->pos(), rect.topLeft());
        QCOMPARE(control->size(), control->sizeHint());
    } else {
        QCOMPARE(control->geometry(), rect);
    }
}

void TestLayout::fontsResolveToInstalledTwinsAtTheDesignSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("designFamily");
    QTest::addColumn<QString>("installedFamily");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    const QString times = QStringLiteral("Times New Roman");
    const QString serif = QStringLiteral("Liberation Serif");
    const QString sans = QStringLiteral("Liberation Sans");
    const QString msSans = QStringLiteral("MS Sans Serif");
    QTest::newRow("21.75 pt heading is 29 px") << "Label6" << times << serif << 29 << false << false;
    QTest::newRow("21.75 pt bold score") << "lblScore1" << times << serif << 29 << true << false;
    QTest::newRow("14.25 pt is 19 px") << "Label11" << times << serif << 19 << false << false;
    QTest::newRow("Arial Black has only its black weight") << "lblconto"
                                                           << "Arial Black"
                                                           << "Roboto Black" << 16 << true << false;
    QTest::newRow("Arial 48 bold factor") << "lblNum2"
                                          << "Arial" << sans << 64 << true << false;
    QTest::newRow("Arial 48 times sign") << "Label10"
                                         << "Arial" << sans << 64 << false << false;
    QTest::newRow("Arial 48 answer box") << "Text3"
                                         << "Arial" << sans << 64 << false << false;
    QTest::newRow("MS Sans Serif 24 bold italic") << "lblMessage" << msSans << sans << 32 << true << true;
    QTest::newRow("MS Sans Serif 8.25 is 11 px") << "cmdExit1" << msSans << sans << 11 << true << false;
    QTest::newRow("MS Sans Serif 13.5 is 18 px") << "Label14" << msSans << sans << 18 << false << false;
    QTest::newRow("MS Sans Serif 18 bold") << "lblnome" << msSans << sans << 24 << true << false;
}

void TestLayout::fontsResolveToInstalledTwinsAtTheDesignSize()
{
    QFETCH(QString, name);
    QFETCH(QString, designFamily);
    QFETCH(QString, installedFamily);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    Window w;
    const QFont font = w.control(name)->font();
    QCOMPARE(font.family(), designFamily);
    QCOMPARE(font.pixelSize(), pixelSize);
    const QFontInfo resolved(font);
    QCOMPARE(resolved.family(), installedFamily);
    QCOMPARE(resolved.pixelSize(), pixelSize);
    QCOMPARE(resolved.bold(), bold);
    QCOMPARE(resolved.italic(), italic);
}

void TestLayout::controlsHaveTheDesignColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");
    const int text = QPalette::WindowText;
    const int back = QPalette::Window;
    QTest::newRow("Label6 text") << "Label6" << text << QColor(255, 255, 128);
    QTest::newRow("lblScore text") << "lblScore" << text << QColor(255, 255, 128);
    QTest::newRow("Label1 text") << "Label1" << text << QColor(255, 0, 0);
    QTest::newRow("lblScore1 text") << "lblScore1" << text << QColor(255, 0, 0);
    QTest::newRow("Label3 text") << "Label3" << text << QColor(0, 0, 255);
    QTest::newRow("lblScore2 text") << "lblScore2" << text << QColor(0, 0, 255);
    QTest::newRow("Label11 text") << "Label11" << text << QColor(255, 255, 0);
    QTest::newRow("lblconto text") << "lblconto" << text << QColor(255, 255, 0);
    QTest::newRow("lblconto background") << "lblconto" << back << QColor(128, 128, 255);
    QTest::newRow("lblNum1 background") << "lblNum1" << back << QColor(0, 255, 255);
    QTest::newRow("Label10 background") << "Label10" << back << QColor(128, 255, 255);
    QTest::newRow("Label10 has the standard text colour") << "Label10" << text << QColor(0, 0, 0);
    QTest::newRow("lblMessage text") << "lblMessage" << text << QColor(255, 0, 0);
    QTest::newRow("Label14 text") << "Label14" << text << QColor(255, 255, 0);
    QTest::newRow("Label12 text") << "Label12" << text << QColor(192, 0, 192);
    QTest::newRow("lblnome text") << "lblnome" << text << QColor(0, 0, 255);
    QTest::newRow("lblpunti text") << "lblpunti" << text << QColor(192, 0, 192);
    QTest::newRow("Text3 text") << "Text3" << int(QPalette::Text) << QColor(0, 0, 255);
    QTest::newRow("Text3 background") << "Text3" << int(QPalette::Base) << QColor(255, 255, 128);
    QTest::newRow("cmdNext face") << "cmdNext" << int(QPalette::Button) << QColor(255, 128, 255);
    QTest::newRow("cmdExit1 face") << "cmdExit1" << int(QPalette::Button) << QColor(0, 192, 192);
    QTest::newRow("window background is the scroll-bar colour") << "surface" << back << window::systemColour::scrollBar;
    QTest::newRow("window drawing colour is the inactive caption text")
        << "surface" << text << window::systemColour::inactiveCaptionText;
}

void TestLayout::controlsHaveTheDesignColours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    Window w;
    QWidget *control = name == QLatin1String("surface") ? w.surface() : w.control(name);
    QCOMPARE(control->palette().color(QPalette::Active, QPalette::ColorRole(role)), colour);
    if (role == QPalette::Window)
        QVERIFY2(control->autoFillBackground(), "an opaque background is painted");
}

void TestLayout::tooltipsAndAccessibleNamesKeepTheirExactTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("two blanks before record")
        << "lblScore" << QString::fromUtf8("Questo è il tuo punteggio. Forza con il  record") << QString();
    QTest::newRow("the clock picture") << "Image1"
                                       << "Clicca sotto di me per impostare il Timer" << QString();
    QTest::newRow("two blanks before il tasto") << "Text3"
                                                << "Scrivi il numero e poi premi  il tasto Return (Invio)"
                                                << "Risposta";
    QTest::newRow("no blank before invio") << "cmdNext"
                                           << "Usa il tasto Return(invio) per l'esercizio successivo"
                                           << "Nuovo calcolo";
    QTest::newRow("one trailing blank") << "cmdExit1"
                                        << "Ti prego resta ancora, forse riuscirai a farmi uscire "
                                        << "Esci dal gioco";
}

void TestLayout::tooltipsAndAccessibleNamesKeepTheirExactTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    QFETCH(QString, accessibleName);
    Window w;
    QCOMPARE(w.control(name)->toolTip(), toolTip);
    QCOMPARE(w.control(name)->accessibleName(), accessibleName);
}

void TestLayout::answerBoxTakesAtMost250Characters()
{
    Window w;
    w.answerBox()->clear();
    w.answerBox()->setFocus();
    QTest::keyClicks(w.answerBox(), QString(260, QLatin1Char('7')));
    QCOMPARE(w.answerBox()->text(), QString(250, QLatin1Char('7')));
}

void TestLayout::tabSkipsTheDisabledNextButton()
{
    Window w;
    w.exitButton()->setFocus();
    const auto tab = [](Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        return QApplication::focusWidget();
    };
    QCOMPARE(tab(), w.answerBox());
    QCOMPARE(tab(), w.exitButton());
    QCOMPARE(tab(), w.answerBox());
    QCOMPARE(tab(Qt::ShiftModifier), w.exitButton());

    w.nextButton()->setEnabled(true);
    QCOMPARE(tab(), w.answerBox());
    QCOMPARE(tab(), w.nextButton());
    QCOMPARE(tab(), w.exitButton());
}

void TestLayout::accessKeysPressOnlyEnabledButtons()
{
    Window w;
    GameWindow &t = w.gameWindow;
    QSignalSpy next(w.nextButton(), &QPushButton::clicked);
    QSignalSpy exit(w.exitButton(), &QPushButton::clicked);
    // Nothing may be running that Alt+X would end; only the key's reach is under test here.
    w.exitButton()->disconnect(&t);

    // An access key clicks its button a moment later, as the button shows itself pressed.
    QTest::keyClick(&t, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(&t, Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(exit.count(), 1);
    QCOMPARE(next.count(), 0);

    w.nextButton()->disconnect(&t);
    w.nextButton()->setEnabled(true);
    QTest::keyClick(&t, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(next.count(), 1);
}

void TestLayout::sizedToFitLabelKeepsItsCornerWhileItsCaptionChanges_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("bordered centred score") << "lblScore";
    QTest::newRow("transparent record score") << "lblpunti";
    QTest::newRow("bold italic message") << "lblMessage";
    QTest::newRow("hidden factor") << "lblNum1";
}

void TestLayout::sizedToFitLabelKeepsItsCornerWhileItsCaptionChanges()
{
    QFETCH(QString, name);
    Window w;
    auto *label = qobject_cast<window::DesignLabel *>(w.control(name));
    QVERIFY(label);
    const QPoint corner = label->pos();
    label->setText(QStringLiteral("7"));
    const QSize one = label->size();

    label->setText(QStringLiteral("7777"));
    QCOMPARE(label->pos(), corner);
    QVERIFY2(label->width() > one.width() + label->fontMetrics().horizontalAdvance(QStringLiteral("77")),
             "grows by the width of the added digits");
    QCOMPARE(label->height(), one.height());
    QVERIFY(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text()));

    label->setText(QStringLiteral("7"));
    QCOMPARE(label->geometry(), QRect(corner, one));
}

void TestLayout::windowHasAFixedClientAreaTheDesignCaptionAndCreditMenus()
{
    Window w;
    GameWindow &t = w.gameWindow;
    QCOMPARE(w.surface()->size(), QSize(785, 556));
    QCOMPARE(w.surface()->geometry().top(), t.menuBar()->geometry().bottom() + 1);
    QCOMPARE(t.minimumSize(), t.maximumSize());
    QCOMPARE(t.size(), t.minimumSize());
    // Placed before the window manager adds its frame: centred up to half the frame's thickness.
    const QPoint offCentre = t.frameGeometry().center() - t.screen()->availableGeometry().center();
    QVERIFY(offCentre.manhattanLength() <= t.frameGeometry().height() - t.height());

    // 83 blanks, the title, 31 blanks, an address at an example domain, 4 blanks.
    const QString caption = t.windowTitle();
    const QString start = QString(83, QLatin1Char(' ')) + QStringLiteral("QUORVANE") + QString(31, QLatin1Char(' '));
    QVERIFY(caption.startsWith(start));
    QVERIFY(caption.endsWith(QString(4, QLatin1Char(' '))));
    const QString address = caption.mid(start.size(), caption.size() - start.size() - 4);
    QVERIFY2(QRegularExpression(QStringLiteral("^[a-z.]+@example\\.(org|com|net)$")).match(address).hasMatch(),
             qPrintable(address));

    QStringList entries;
    for (QAction *menu : t.menuBar()->actions()) {
        // The credits' menus; "I tuoi progressi" beside them is an entry of the bar itself.
        for (QAction *entry : menu->menu() ? menu->menu()->actions() : QList<QAction *>{})
            entries << entry->objectName();
    }
    QCOMPARE(entries, (QStringList{"sito", "is", "Ciao", "INFOMAZIONI", "posta", "free", "comune"}));
    QCOMPARE(t.findChild<QAction *>(QStringLiteral("free"))->text(), QStringLiteral("Software freeware"));
    QVERIFY2(t.menuBar()->sizeHint().width() <= t.width(), "every menu is on the bar, none behind the overflow");
}

void TestLayout::grabShowsTheDesignColours_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Shape2 fill") << QPoint(15, 280) << QColor(0, 255, 255);
    QTest::newRow("Shape4 shows as a border around Shape2") << QPoint(4, 150) << QColor(0, 192, 192);
    QTest::newRow("Shape4 outline") << QPoint(0, 150) << QColor(0, 0, 0);
    QTest::newRow("Shape2 outline") << QPoint(8, 150) << QColor(0, 0, 0);
    QTest::newRow("Shape3 fill") << QPoint(575, 120) << QColor(0, 255, 255);
    QTest::newRow("Shape3 outline is 3 pixels") << QPoint(569, 120) << QColor(0, 0, 0);
    QTest::newRow("Shape5 fill between the outlines") << QPoint(563, 120) << QColor(0, 192, 192);
    QTest::newRow("lblconto background") << QPoint(627, 102) << QColor(128, 128, 255);
    QTest::newRow("lblconto border") << QPoint(624, 102) << QColor(0, 0, 0);
    QTest::newRow("Text3 background") << QPoint(220, 400) << QColor(255, 255, 128);
    QTest::newRow("Shape1 frames Text3") << QPoint(200, 370) << QColor(0, 255, 255);
}

void TestLayout::grabShowsTheDesignColours()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    Window w;
    const QImage shot = w.surface()->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    QCOMPARE(shot.pixelColor(at * ratio), colour);
}

void TestLayout::bandsShowThroughATransparentLabel()
{
    Window w;
    w.round.nextExercise();
    const QImage shot = w.surface()->grab().toImage();
    const QImage bands = w.surface()->drawing();
    // The right end of "Il record  è di " is its trailing blank: nothing of the label is drawn there.
    const QRect label = w.label("Label12")->geometry();
    const QPoint inside = QPoint(label.right() - 1, label.center().y()) * shot.devicePixelRatio();
    QCOMPARE(bands.pixelColor(inside).alpha(), 255);
    QCOMPARE(shot.pixelColor(inside), bands.pixelColor(inside));
    QVERIFY(shot.pixelColor(inside) != window::systemColour::scrollBar);
}

void TestLayout::closingTheWindowAsksAndTellsNothing()
{
    Window w;
    QVERIFY(w.gameWindow.close());
    QVERIFY(w.dialogs->messages.isEmpty());
    QVERIFY(w.dialogs->prompts.isEmpty());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
