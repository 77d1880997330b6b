// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the program asks of the toolkit before it starts, from the command
// line and the variables a desktop sets: the window system, and a desktop's
// scale rounded to a whole number. Which platform a desktop's Qt picks by
// itself depends on what is installed, so the variable the program leaves
// for Qt is what is checked.

#include "app/Environment.h"

#include <QTest>

namespace {

const char *const Variables[] = {"DISPLAY",         "WAYLAND_DISPLAY",         "XDG_SESSION_TYPE",
                                 "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",         "QT_SCREEN_SCALE_FACTORS",
                                 "QT_FONT_DPI",     "DBUS_SESSION_BUS_ADDRESS"};

// "NAME=value" for each of Variables that is set, in that order.
QStringList SetVariables()
{
    QStringList set;
    for (const char *name : Variables) {
        if (qEnvironmentVariableIsSet(name))
            set << QString("%1=%2").arg(name, qEnvironmentVariable(name));
    }
    return set;
}

} // namespace

class EnvironmentTest : public QObject {
    Q_OBJECT

private slots:
    void prepared_data();
    void prepared();
};

void EnvironmentTest::prepared_data()
{
    // The command line and the variables given, the window system the
    // program tries, and every variable set afterwards (the session bus
    // given in each row, so that none is switched off).
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QString>("windowSystem");
    QTest::addColumn<QStringList>("after");
    const QString bus = "DBUS_SESSION_BUS_ADDRESS=unix:path=/nowhere";
    const QStringList x11{"DISPLAY=:5", bus};
    const QStringList wayland{"DISPLAY=:5", "WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland", bus};
    QTest::newRow("X11") << QStringList{} << x11 << "xcb" << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb", bus};
    QTest::newRow("Wayland with its X server") << QStringList{} << wayland << "xcb"
                                               << QStringList{"DISPLAY=:5", "WAYLAND_DISPLAY=wayland-0",
                                                              "XDG_SESSION_TYPE=wayland", "QT_QPA_PLATFORM=xcb", bus};
    QTest::newRow("Wayland without an X server") << QStringList{} << QStringList{"WAYLAND_DISPLAY=wayland-0", bus} << ""
                                                 << QStringList{"WAYLAND_DISPLAY=wayland-0", bus};
    QTest::newRow("Wayland chosen by the variable")
        << QStringList{} << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=wayland", bus} << "wayland"
        << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=wayland", bus};
    for (const char *option : {"-platform", "--platform"})
        QTest::addRow("Wayland chosen by %s", option)
            << QStringList{option, "wayland"} << wayland << "wayland" << wayland;
    // A whole factor, or one a screen, rounded as Qt's Round policy does.
    QTest::newRow("a scale of 1.5") << QStringList{} << QStringList{"DISPLAY=:5", "QT_SCALE_FACTOR=1.5", bus} << "xcb"
                                    << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=2", bus};
    QTest::newRow("a scale of 1.25") << QStringList{} << QStringList{"DISPLAY=:5", "QT_SCALE_FACTOR=1.25", bus} << "xcb"
                                     << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1", bus};
    QTest::newRow("screens' scales, as Plasma sets them")
        << QStringList{} << QStringList{"DISPLAY=:5", "QT_SCREEN_SCALE_FACTORS=HDMI-1=1.5;DP-1=0.6;", bus} << "xcb"
        << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb", "QT_SCREEN_SCALE_FACTORS=HDMI-1=2;DP-1=1;", bus};
    QTest::newRow("a screen's scale alone")
        << QStringList{} << QStringList{"DISPLAY=:5", "QT_SCREEN_SCALE_FACTORS=1.5", bus} << "xcb"
        << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb", "QT_SCREEN_SCALE_FACTORS=2", bus};
    // Without a session bus none is started for the display.
    QTest::newRow("no session bus") << QStringList{} << QStringList{"DISPLAY=:5"} << "xcb"
                                    << QStringList{"DISPLAY=:5", "QT_QPA_PLATFORM=xcb",
                                                   "DBUS_SESSION_BUS_ADDRESS=disabled:"};
}

void EnvironmentTest::prepared()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, given);
    QFETCH(QString, windowSystem);
    QFETCH(QStringList, after);
    for (const char *name : Variables)
        qunsetenv(name);
    qputenv("XDG_RUNTIME_DIR", "/nonexistent"); // no session bus there
    for (const QString &variable : given)
        qputenv(variable.section('=', 0, 0).toLatin1().constData(), variable.section('=', 1).toLocal8Bit());
    QList<QByteArray> words{"telvir"};
    for (const QString &argument : arguments)
        words << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    QCOMPARE(PrepareEnvironment(static_cast<int>(argv.size()), argv.data()), windowSystem);
    QCOMPARE(SetVariables(), after);
}

QTEST_APPLESS_MAIN(EnvironmentTest)
#include "tst_Environment.moc"
