#include "narrator/placement.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onWaylandTheProgramRunsThroughXWayland_data();
    void onWaylandTheProgramRunsThroughXWayland();
};

void TestPlacement::onWaylandTheProgramRunsThroughXWayland_data()
{
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("x11");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("a Wayland session with XWayland goes through X11, Wayland as the fallback") << "wayland-0"_ba
                                                                                               << ":0"_ba
                                                                                               << ""_ba
                                                                                               << "xcb;wayland"_ba;
    QTest::newRow("the user's own choice of platform stands") << "wayland-0"_ba
                                                              << ":0"_ba
                                                              << "wayland"_ba
                                                              << "wayland"_ba;
    QTest::newRow("without XWayland the program runs on Wayland itself") << "wayland-0"_ba
                                                                         << ""_ba
                                                                         << ""_ba
                                                                         << "wayland"_ba;
    QTest::newRow("an X11 session is left as it is") << ""_ba
                                                     << ":0"_ba
                                                     << ""_ba
                                                     << ""_ba;
}

void TestPlacement::onWaylandTheProgramRunsThroughXWayland()
{
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, x11);
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, platform);
    const auto set = [](const char *name, const QByteArray &value) {
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    };
    set("WAYLAND_DISPLAY", wayland);
    set("DISPLAY", x11);
    set("QT_QPA_PLATFORM", chosen);
    narrator::placeWindowsThroughXWayland();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), platform);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
