#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

namespace {

/// A copy of the program whose Qt finds only the X11 platform plugin, as where qt6-wayland is not installed.
QString programWithoutTheWaylandPlugin(const QTemporaryDir &dir)
{
    const QString platforms = dir.filePath(QStringLiteral("plugins/platforms"));
    QDir().mkpath(platforms);
    const QString qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    QFile::link(qtPlugins + QStringLiteral("/platforms/libqxcb.so"), platforms + QStringLiteral("/libqxcb.so"));
    QFile::link(qtPlugins + QStringLiteral("/xcbglintegrations"),
                dir.filePath(QStringLiteral("plugins/xcbglintegrations")));
    // Qt reads qt.conf beside the program: its plugins are these.
    QFile conf(dir.filePath(QStringLiteral("qt.conf")));
    if (!conf.open(QIODevice::WriteOnly) || !conf.write("[Paths]\nPlugins = plugins\n"))
        qFatal("cannot write qt.conf");
    const QString program = dir.filePath(QStringLiteral("quorvane"));
    std::filesystem::copy_file(QUORVANE_BINARY, program.toStdString());
    return program;
}

} // namespace

class TestPlatformFailure : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aPlatformThatCannotStartIsReportedWithItsCause_data();
    void aPlatformThatCannotStartIsReportedWithItsCause();
};

void TestPlatformFailure::aPlatformThatCannotStartIsReportedWithItsCause_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=value; NAME= unsets it
    QTest::addColumn<bool>("waylandPluginInstalled");
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("alsoSaid");
    const QString qtGaveUp = QStringLiteral("no Qt platform plugin could be initialized");
    QTest::newRow("no display of either kind")
        << QStringList{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="} << true
        << "quorvane: il gioco ha bisogno di un desktop grafico: avvialo da una sessione grafica." << qtGaveUp;
    QTest::newRow("a Wayland session without XWayland and without the Wayland plugin")
        << QStringList{"DISPLAY=", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM="} << false
        << "quorvane: il gioco non può aprire la sua finestra: manca il modulo di Qt per Wayland (il pacchetto "
           "qt6-wayland)."
        << qtGaveUp;
    QTest::newRow("an X display that refuses the connection")
        << QStringList{"DISPLAY=:77", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="} << true
        << "quorvane: il gioco non può aprire la sua finestra: il display X11 «:77» non ha accettato la connessione."
        << "qt.qpa.xcb: could not connect to display :77";
    QTest::newRow("both displays of a Wayland session refuse it")
        << QStringList{"DISPLAY=:77", "WAYLAND_DISPLAY=quorvane-none", "QT_QPA_PLATFORM="} << true
        << "quorvane: il gioco non può aprire la sua finestra: il display X11 «:77» non ha accettato la connessione; "
           "il "
           "display Wayland «quorvane-none» non ha accettato la connessione."
        << qtGaveUp;
    QTest::newRow("the debug output asked for is kept")
        << QStringList{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "QT_DEBUG_PLUGINS=1"} << true
        << "quorvane: il gioco ha bisogno di un desktop grafico: avvialo da una sessione grafica."
        << "checking directory path";
}

void TestPlatformFailure::aPlatformThatCannotStartIsReportedWithItsCause()
{
    QFETCH(QStringList, environment);
    QFETCH(bool, waylandPluginInstalled);
    QFETCH(QString, cause);
    QFETCH(QString, alsoSaid);
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    for (const QString &setting : environment) {
        const QString name = setting.section(QLatin1Char('='), 0, 0);
        const QString value = setting.section(QLatin1Char('='), 1);
        value.isEmpty() ? env.remove(name) : env.insert(name, value);
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(waylandPluginInstalled ? QStringLiteral(QUORVANE_BINARY) : programWithoutTheWaylandPlugin(dir));
    QVERIFY(program.waitForFinished(30000));
    const QStringList said = QString::fromUtf8(program.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    // The cause first, then what Qt said.
    QCOMPARE(said.first(), cause);
    QVERIFY2(said.indexOf(QRegularExpression(QStringLiteral(".*%1.*").arg(QRegularExpression::escape(alsoSaid)))) > 0,
             qPrintable(said.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestPlatformFailure)
#include "tst_platformfailure.moc"
