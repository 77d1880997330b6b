// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole process: it must end with status 0, and without a
// sanitizer report in the sanitizer build, however and whenever it is closed.
// Each case runs this same executable again as the program, with a scenario
// played from inside its event loop.

#include "tests/TestOptions.h"
#include "tests/WindowDriver.h"

#include "app/Application.h"
#include "ui/AboutWindow.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

long long Phase = -1;     // how far the turn gets before closing
long long CloseBox = 0;   // 1: the title bar's close box, 0: Ctrl+X
long long AboutFirst = 0; // 1: try Ctrl+X while the About window is open first

void PlayScenario()
{
    if (!QTest::qWaitForWindowActive(MainForm))
        qFatal("the main window never became active");
    if (Phase >= 1)
        ClickCell({3, 3});
    if (Phase >= 2)
        ClickCell({5, 3});
    QWindow *main = MainForm->windowHandle();
    if (AboutFirst) {
        WhenModalShows([main](QDialog *about) {
            QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(about->windowHandle(), Qt::Key_X, Qt::ControlModifier);
            if (!about->isVisible())
                qFatal("Ctrl+X closed the About window");
            ClickOk(about);
        });
        QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
        QTRY_VERIFY(AboutForm->isHidden() && QTest::qWaitForWindowActive(MainForm));
    }
    if (CloseBox)
        main->close();
    else
        QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
}

} // namespace

class TelvirTest : public QObject {
    Q_OBJECT

private slots:
    void endsCleanly_data();
    void endsCleanly();
    void commandLine_data();
    void commandLine();
};

void TelvirTest::endsCleanly_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("closeBox");
    QTest::addColumn<int>("aboutFirst");
    for (int phase = 0; phase <= 2; ++phase) {
        QTest::addRow("Ctrl+X in phase %d", phase) << phase << 0 << 0;
        QTest::addRow("close box in phase %d", phase) << phase << 1 << 0;
    }
    QTest::addRow("Ctrl+X after trying it in the About window") << 2 << 0 << 1;
}

void TelvirTest::endsCleanly()
{
    QFETCH(int, phase);
    QFETCH(int, closeBox);
    QFETCH(int, aboutFirst);
    const ProgramRun run = RunAsProgram({"--phase", QString::number(phase), "--close-box", QString::number(closeBox),
                                         "--about-first", QString::number(aboutFirst)});
    QVERIFY2(run.ended && run.status == 0, qPrintable(run.errors));
    QVERIFY2(!run.errors.contains("Sanitizer") && !run.errors.contains("runtime error"), qPrintable(run.errors));
}

void TelvirTest::commandLine_data()
{
    // The real program, with no display unless one is given. A status of -1
    // means that it started and is still waiting for the players. Each
    // stream must begin with what is given, and be empty where nothing is.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("toFullDevice");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString hint = "Try 'telvir --help' for more information.\n";
    const QString advice = "run it in a desktop session or over ssh -X, or give it a display of its own as "
                           "telvir(6) describes.\n";
    for (const char *help : {"--help", "-h"})
        QTest::addRow("%s", help) << QStringList{help} << "" << false << 0 << "Usage: telvir [options]\n"
                                  << "";
    for (const char *version : {"--version", "-v"})
        QTest::addRow("%s", version) << QStringList{version} << "" << false << 0 << "Тельвир (telvir) 1.2\n"
                                     << "";
    for (const char *option : {"--help", "--version"})
        QTest::addRow("%s into a full device", option) << QStringList{option} << "" << true << 1 << ""
                                                       << "telvir: write error: No space left on device\n";
    QTest::newRow("no display") << QStringList{} << "" << false << 1 << ""
                                << "telvir: no display to open (DISPLAY is not set); " + advice;
    QTest::newRow("a display that cannot be opened") << QStringList{} << ":4711" << false << 1 << ""
                                                     << "telvir: cannot open the display ':4711'; " + advice;
    // Qt takes its options with one dash or two.
    for (const char *display : {"-display", "--display"})
        QTest::addRow("%s", display) << QStringList{display, ":4712"} << ":4711" << false << 1 << ""
                                     << "telvir: cannot open the display ':4712'; ";
    for (const char *platform : {"-platform", "--platform"})
        QTest::addRow("%s", platform) << QStringList{platform, "nosuch"} << "" << false << 1 << ""
                                      << "telvir: cannot start the window system 'nosuch'; ";
    QTest::newRow("unknown option without a display") << QStringList{"-style", "fusion", "-x"} << "" << false << 2 << ""
                                                      << "telvir: Unknown option 'x'.\n" + hint;
    QTest::newRow("unknown option") << QStringList{"-platform", "offscreen", "--colour"} << "" << false << 2 << ""
                                    << "telvir: Unknown option 'colour'.\n" + hint;
    QTest::newRow("stray argument") << QStringList{"-platform", "offscreen", "game"} << "" << false << 2 << ""
                                    << "telvir: Unexpected argument 'game'.\n" + hint;
    // The toolkit's own messages come through.
    QTest::newRow("the toolkit's options")
        << QStringList{"-platform", "offscreen", "-style", "nosuch", "-reverse"} << "" << false << -1 << ""
        << "QApplication: invalid style override 'nosuch' passed, ignoring it.";
}

void TelvirTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(bool, toFullDevice);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    const QTemporaryDir runtime; // or Qt says it has none
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);
    QProcess program;
    program.setProcessEnvironment(environment);
    if (toFullDevice)
        program.setStandardOutputFile("/dev/full");
    program.start(TELVIR_PROGRAM, arguments);
    const bool finished = program.waitForFinished(status < 0 ? 1500 : 30000);
    if (status < 0) {
        program.kill();
        program.waitForFinished();
    } else {
        QVERIFY(finished);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
    }
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
    QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.startsWith(err), qPrintable(errors));
    if (status == 1) // one line, and nothing of the toolkit's own
        QCOMPARE(errors.count('\n'), 1);
}

int main(int argc, char *argv[])
{
    std::vector<char *> rest = TakeNumberOptions(
        argc, argv, {{"--phase", &Phase}, {"--close-box", &CloseBox}, {"--about-first", &AboutFirst}});
    if (Phase >= 0) {
        int count = static_cast<int>(rest.size());
        return PlayAsProgram(count, rest.data(), PlayScenario);
    }
    QCoreApplication application(argc, argv);
    TelvirTest test;
    return QTest::qExec(&test, static_cast<int>(rest.size()), rest.data());
}
#include "tst_Telvir.moc"
