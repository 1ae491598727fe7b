// The real Tavimo binary as a user drives it: under Xvfb, with xdotool for
// the mouse and keys. Start with the demo line, go online (the measured
// values open; switch to the waveform screen and back), batch receive,
// save a settings file, exit; then check the file and the configuration.
// Where the buttons are is taken from the same window built here offscreen
// (same style, same fonts, same size); without a window manager the real
// window sits at the screen's origin. Skipped when Xvfb or xdotool is missing.
#include "main_window_fixture.h"

#include "files/app_config.h"
#include "files/settings_file.h"

#include <QAbstractButton>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTest>

#include <thread>
#include <unistd.h>

using namespace tavimo;

namespace {

const char* kEnglishConfig =
    "[ENVIRONMENT]\r\nLANGUAGE=1\r\n[CONTROLLER1-0]\r\nHI_TH_LEVEL=0.33\r\n";

bool run(const QString& program, const QStringList& args, const QProcessEnvironment& env, QString* out = nullptr,
         int timeoutMs = 15000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (out) *out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

class TavimoE2ETest : public QObject {
    Q_OBJECT

    QProcess xvfb;
    QString display;
    QString xdotool;

    QProcessEnvironment xEnv() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }
    bool x(const QStringList& args, QString* out = nullptr) { return run(xdotool, args, xEnv(), out); }
    void click(QPoint at) { x({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"}); }

private Q_SLOTS:
    void initTestCase()
    {
        const QString server = QStandardPaths::findExecutable("Xvfb");
        xdotool = QStandardPaths::findExecutable("xdotool");
        if (server.isEmpty() || xdotool.isEmpty()) QSKIP("needs Xvfb and xdotool");
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        const int n = 90 + static_cast<int>(::getpid() % 100);
        display = QStringLiteral(":%1").arg(n);
        xvfb.start(server, {display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
        QVERIFY(xvfb.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)), 10000);
    }

    void cleanupTestCase()
    {
        if (xvfb.state() == QProcess::NotRunning) return;
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    void demoOnlineReceiveSaveExit()
    {
        // Where the controls are: the same window, built here.
        QPoint online, receive, waveform, measured;
        {
            testkit::MainWindowFixture layout;
            layout.writeConfig(kEnglishConfig);
            layout.open();
            auto centre = [&](const char* name) {
                auto* b = layout.window->findChild<QAbstractButton*>(name);
                return b->mapTo(layout.window.get(), b->rect().center());
            };
            online = centre("OnlineButton");
            receive = centre("ReciveButton");
            measured = centre("SpeedButton1");
            waveform = centre("SpeedButton2");
        }

        QTemporaryDir home;
        const std::filesystem::path configFile = home.path().toStdString() + "/Orvik/Tavimo/Tavimo.INI";
        std::filesystem::create_directories(configFile.parent_path());
        std::ofstream(configFile, std::ios::binary) << kEnglishConfig;
        const QString saved = home.filePath("demo.TSD");

        QProcessEnvironment env = xEnv();
        env.insert("XDG_CONFIG_HOME", home.path());
        QProcess tavimo;
        tavimo.setProcessEnvironment(env);
        tavimo.start(TAVIMO_BINARY, {"--demo", "-style", "Fusion"});
        QVERIFY(tavimo.waitForStarted());
        QString found;
        QVERIFY(x({"search", "--sync", "--onlyvisible", "--name", "^Tavimo$"}, &found));
        const QString window = found.split('\n').first();
        pause(2000); // the splash closes after a second
        QString geometry;
        QVERIFY(x({"getwindowgeometry", window}, &geometry));
        QVERIFY2(geometry.contains("Position: 0,0"), qPrintable(geometry));

        click(online);
        pause(4000); // port, scan of IDs 0..7
        // Online opens the measured values; the screen buttons switch.
        const auto shown = [&](const char* title) {
            return x({"search", "--onlyvisible", "--name", QStringLiteral("^%1$").arg(title)});
        };
        QTRY_VERIFY_WITH_TIMEOUT(shown("Displayed controller value"), 10000);
        click(waveform);
        QTRY_VERIFY_WITH_TIMEOUT(shown("Measurement waveform screen"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!shown("Displayed controller value"), 10000);
        click(measured);
        QTRY_VERIFY_WITH_TIMEOUT(shown("Displayed controller value"), 10000);
        QVERIFY(!shown("Measurement waveform screen"));
        click(receive);
        pause(5000); // four controllers
        x({"windowfocus", "--sync", window});
        x({"key", "alt+f"});
        pause(500);
        x({"key", "a"}); // "Save file (&A)..."
        pause(1500);
        x({"type", "--delay", "20", saved});
        x({"key", "Return"});
        pause(1500);
        x({"key", "alt+f"});
        pause(500);
        x({"key", "x"}); // "Exit (&X)"
        const bool ended = tavimo.waitForFinished(20000);
        if (!ended) tavimo.kill();
        QVERIFY(ended);
        QCOMPARE(tavimo.exitCode(), 0);

        settings::SettingsModel model;
        QCOMPARE(files::loadSettingsFile(saved.toStdString(), model), files::FileError::None);
        QCOMPARE(model.controllers[1].memories[0].HI_TH_LEVEL, 0.64); // received from the demo line
        files::AppConfig config;
        settings::SettingsModel stored;
        QCOMPARE(files::loadAppConfig(configFile, config, stored), files::FileError::None);
        QCOMPARE(stored.controllers[1].memories[0].HI_TH_LEVEL, 0.64);
        QCOMPARE(QString::fromStdString(config.environment.MAIN_SAVEFOLDER), home.path());
    }

    void secondInstanceIsRefused()
    {
        QTemporaryDir home;
        QProcessEnvironment env = xEnv();
        env.insert("XDG_CONFIG_HOME", home.path());
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(TAVIMO_BINARY, {"-style", "Fusion"});
        QVERIFY(first.waitForStarted());
        QVERIFY(x({"search", "--sync", "--onlyvisible", "--name", "^Tavimo$"}));

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(TAVIMO_BINARY, {"-style", "Fusion"});
        QVERIFY(second.waitForStarted());
        // Its message box, then nothing else: OK ends it with -1.
        QString boxes;
        QTRY_VERIFY_WITH_TIMEOUT(x({"search", "--all", "--onlyvisible", "--pid", QString::number(second.processId()),
                                    "--name", "Tavimo"},
                                   &boxes),
                                 15000);
        // No window manager gives it the keyboard: the key is sent to the
        // box itself, and its OK button (bottom right) clicked as well.
        const QString box = boxes.split('\n').first();
        bool ended = false;
        for (int attempt = 0; attempt < 5 && !ended; ++attempt) {
            x({"key", "--window", box, "Return"});
            ended = second.waitForFinished(1500);
            QString geometry;
            if (ended || !x({"getwindowgeometry", "--shell", box}, &geometry)) continue;
            QMap<QString, int> g;
            for (const QString& line : geometry.split('\n'))
                if (line.contains('=')) g[line.section('=', 0, 0)] = line.section('=', 1).toInt();
            click(QPoint(g["X"] + g["WIDTH"] - 50, g["Y"] + g["HEIGHT"] - 22));
            ended = second.waitForFinished(1500);
        }
        if (!ended) second.kill();
        QVERIFY(ended);
        QCOMPARE(second.exitCode(), 255);
        QCOMPARE(first.state(), QProcess::Running); // the first is unaffected
        first.terminate();
        if (!first.waitForFinished(10000)) first.kill();
    }
};

QTEST_MAIN(TavimoE2ETest)
#include "tavimo_e2e_test.moc"
