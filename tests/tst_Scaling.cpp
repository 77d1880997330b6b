// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop's scale enlarges every window whole, while the small windows
// follow the resolution divided by that scale, and the pictures stay exact.
// A scale is read as the application starts, so each case runs this same
// executable again as the program, which reports what it drew.

#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"
#include "ui/X11.h"

#include <QProcess>
#include <QTemporaryDir>

#include <poll.h>

#include <cstdlib>
#include <utility>

namespace {

// The program's side: the windows' sizes in device pixels, a pressed and a
// released cell as drawn, and how far the main window moved when it was
// hidden and shown again.
int Report(int &argc, char *argv[], const QString &folder)
{
    return PlayAsProgram(argc, argv, [folder] {
        ClickCell({3, 3});
        QFile sizes(folder + "/sizes");
        if (!sizes.open(QIODevice::WriteOnly))
            qFatal("cannot write the report");
        for (QWidget *window : {static_cast<QWidget *>(MainForm), static_cast<QWidget *>(AboutForm),
                                static_cast<QWidget *>(EndGameForm)}) {
            const QSize device = window->grab().size();
            sizes.write(QString("%1×%2 ").arg(device.width()).arg(device.height()).toUtf8());
        }
        Button({3, 3})->grab().save(folder + "/pressed.png");
        Button({4, 3})->grab().save(folder + "/released.png");
        const QPoint shown = MainForm->pos();
        MainForm->hide();
        MainForm->show();
        const QPoint moved = MainForm->pos() - shown;
        sizes.write(QString("moved %1, %2").arg(moved.x()).arg(moved.y()).toUtf8());
        QCoreApplication::quit();
    });
}

// An XSETTINGS manager, as GNOME 43's: it publishes the desktop's scale
// among the settings of all three kinds that gsd-xsettings publishes, in the
// byte order of its machine, and says "ready" once it owns the settings; it
// stops when its standard input closes. Some names and texts are a multiple
// of four bytes long, which takes no padding, and one text is empty.
QByteArray GnomeSettings(int scale, bool bigEndian)
{
    QByteArray data;
    const auto card = [&data, bigEndian](quint32 value, int bytes) {
        for (int at = 0; at < bytes; ++at)
            data += static_cast<char>(value >> (8 * (bigEndian ? bytes - 1 - at : at)));
    };
    const auto text = [&data](const QByteArray &text) { data += text + QByteArray((4 - text.size() % 4) % 4, 0); };
    int count = 0;
    const auto setting = [&](int type, const QByteArray &name) {
        ++count;
        card(type, 1);
        card(0, 1);
        card(name.size(), 2);
        text(name);
        card(count, 4); // the serial of its last change
    };
    const auto integer = [&](const QByteArray &name, qint32 value) {
        setting(0, name);
        card(value, 4);
    };
    const auto string = [&](const QByteArray &name, const QByteArray &value) {
        setting(1, name);
        card(value.size(), 4);
        text(value);
    };
    const auto colour = [&](const QByteArray &name, quint16 red, quint16 green, quint16 blue) {
        setting(2, name);
        for (const quint16 channel : {red, green, blue, quint16(0xffff)})
            card(channel, 2);
    };
    string("Net/ThemeName", "Adwaita");
    string("Gtk/FontName", "Cantarell 11");
    integer("Net/DoubleClickTime", 400);
    colour("Gtk/ColorSelectorColor", 0x1c1c, 0x7171, 0xd8d8);
    integer("Xft/Antialias", 1);
    string("Xft/RGBA", "rgb");
    string("Xft/HintStyle", "hintslight");
    integer("Gdk/UnscaledDPI", 96 * 1024);
    string("Gtk/IMModule", "");
    string("Gtk/DecorationLayout", "appmenu:close");
    integer("Gtk/CursorThemeSize", 24 * scale);
    integer("Xft/DPI", 96 * scale * 1024);
    integer("Gdk/WindowScalingFactor", scale);
    colour("Gtk/ColorPalette", 0, 0, 0);
    string("Net/IconThemeName", "Adwaita");
    string("Net/SoundThemeName", "freedesktop");
    integer("Net/CursorBlinkTime", 1200);
    string("Gtk/KeyThemeName", "Default");
    integer("Gtk/RecentFilesMaxAge", -1);
    string("Gtk/SessionBusId", "8f3c2a61d0b94e7e8c5f1a2b3c4d5e6f");
    integer("Fontconfig/Timestamp", 0);
    const QByteArray settings = std::exchange(data, QByteArray(1, bigEndian ? 1 : 0) + QByteArray(3, 0));
    card(42, 4); // the serial
    card(count, 4);
    return data + settings;
}

int PublishSettings(int scale, bool bigEndian, int screenNumber)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; skipped < screenNumber; ++skipped)
        xcb_screen_next(&screen);
    const xcb_window_t root = screen.data->root;
    const xcb_window_t manager = xcb_generate_id(connection);
    xcb_create_window(connection, 0, manager, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0,
                      nullptr);
    const QByteArray settings = GnomeSettings(scale, bigEndian);
    const xcb_atom_t property = X11Atom(connection, "_XSETTINGS_SETTINGS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, manager, property, property, 8,
                        static_cast<uint32_t>(settings.size()), settings.constData());
    xcb_set_selection_owner(connection, manager, X11Atom(connection, "_XSETTINGS_S" + QByteArray::number(screenNumber)),
                            XCB_CURRENT_TIME);
    xcb_flush(connection);
    StandInReady();
    pollfd input{0, POLLIN, 0};
    poll(&input, 1, -1);
    xcb_disconnect(connection);
    return 0;
}

struct Drawn {
    QString sizes;
    QImage pressed;
    QImage released;
    QString errors; // what the program wrote on standard error
};

// Runs the program with these variables set and these arguments, and with
// `resources` as the X resource database (Xft.dpi), which a desktop sets for
// its text resolution.
Drawn RunProgram(const QStringList &environment, const QString &resources = {}, const QStringList &arguments = {})
{
    if (resources.isEmpty())
        QProcess::execute("xprop", {"-root", "-remove", "RESOURCE_MANAGER"});
    else
        QProcess::execute("xprop", {"-root", "-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER", resources});
    QTemporaryDir folder;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.remove("QT_FONT_DPI");
    for (const QString &variable : environment)
        variables.insert(variable.section('=', 0, 0), variable.section('=', 1));
    const ProgramRun run = RunAsProgram(QStringList{"--report", folder.path()} + arguments, variables);
    if (!run.ended || run.status != 0)
        return {"failed: " + run.errors, {}, {}, run.errors};
    QFile sizes(folder.path() + "/sizes");
    if (!sizes.open(QIODevice::ReadOnly))
        return {"no report", {}, {}, run.errors};
    const auto picture = [&folder](const char *name) {
        return QImage(folder.path() + "/" + name).convertToFormat(QImage::Format_RGB32);
    };
    return {QString::fromUtf8(sizes.readAll()).trimmed(), picture("pressed.png"), picture("released.png"), run.errors};
}

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void windowSizes_data();
    void windowSizes();
    void desktopScale_data();
    void desktopScale();
    void picturesStayExact();
};

void ScalingTest::windowSizes_data()
{
    // The main window, the About window and the result window in device
    // pixels, on an X server of 192 dots per inch, with a resolution chosen
    // by QT_FONT_DPI or Xft.dpi, or none. The small windows at 96 and 192
    // dots per inch: 11/15 and 23/15 of their layout, the change in their
    // default font's line height (10 and 21 pixels against 13).
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("resources");
    QTest::addColumn<QString>("sizes");
    const QString at192 = "464×409 578×337 790×210";
    const QString doubledAt96 = "928×818 552×322 756×200";
    const QString desktopAt200 = "Xft.dpi:\t192\n"; // what a desktop at 200 % sets
    QTest::newRow("the X server's 192 dpi") << QStringList{} << "" << at192;
    QTest::newRow("120 dpi chosen") << QStringList{"QT_FONT_DPI=120"} << ""
                                    << "464×409 377×220 515×137";
    QTest::newRow("Xft.dpi 96 chosen") << QStringList{} << "Xft.dpi:\t96\n"
                                       << "464×409 276×161 378×100";
    // A desktop's database holds other programs' resources too, and sorted
    // by name Xft's come late.
    QString others;
    for (const char *program : {"Emacs", "URxvt", "XClock", "XLock", "XTerm", "Xcursor"})
        others += QString("%1*background:\t#1d1f21\n%1*foreground:\t#c5c8c6\n%1*font:\t-misc-fixed-medium-r-"
                          "normal--14-130-75-75-c-70-iso10646-1\n")
                      .arg(program);
    QTest::newRow("Xft.dpi 96 after other resources") << QStringList{} << others + "Xft.dpi:\t96\n"
                                                      << "464×409 276×161 378×100";
    QTest::newRow("scale 2") << QStringList{"QT_SCALE_FACTOR=2"} << "" << doubledAt96;
    QTest::newRow("scale 2, Xft.dpi 192") << QStringList{"QT_SCALE_FACTOR=2"} << desktopAt200 << doubledAt96;
    QTest::newRow("a screen's scale 2") << QStringList{"QT_SCREEN_SCALE_FACTORS=2"} << "" << doubledAt96;
    QTest::newRow("a screen's scale 2, Xft.dpi 192")
        << QStringList{"QT_SCREEN_SCALE_FACTORS=2"} << desktopAt200 << doubledAt96;
    QTest::newRow("scale 1.5 rounds to 2") << QStringList{"QT_SCALE_FACTOR=1.5"} << "" << doubledAt96;
    QTest::newRow("a screen's scale 1.5 rounds to 2")
        << QStringList{"QT_SCREEN_SCALE_FACTORS=1.5"} << "" << doubledAt96;
    QTest::newRow("scale 1.25 rounds to 1") << QStringList{"QT_SCALE_FACTOR=1.25"} << "" << at192;
    // Off X11, as on Wayland, with nothing chosen the platform's own figure
    // (96 for the offscreen one) is followed.
    const QString offscreen = "QT_QPA_PLATFORM=offscreen";
    QTest::newRow("offscreen") << QStringList{offscreen} << ""
                               << "464×409 276×161 378×100";
    QTest::newRow("offscreen, scale 2") << QStringList{offscreen, "QT_SCALE_FACTOR=2"} << "" << doubledAt96;
}

void ScalingTest::windowSizes()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, resources);
    QFETCH(QString, sizes);
    // Shown again, the main window comes back exactly where it was.
    QCOMPARE(RunProgram(environment, resources).sizes, sizes + " moved 0, 0");
}

void ScalingTest::desktopScale_data()
{
    // GNOME on X11 sets no variable of Qt's: its scale is published by its
    // XSETTINGS manager, and Xft.dpi is the text resolution times the scale.
    // The first screen, 2320×2045, is the main window at a scale of 5
    // exactly; the second, 1400×1024, is wide enough for it at 3 but not
    // high enough. A scale at which it does not fit is ignored, and said so,
    // while Xft.dpi still sets the text resolution.
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("byteOrder");
    QTest::addColumn<int>("screen");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("sizes");
    QTest::addColumn<QString>("said");
    const QString doubled = "928×818 552×322 756×200";
    const QString at192 = "464×409 578×337 790×210";
    const QString at96 = "464×409 276×161 378×100";
    const QString ignored = "tst_Scaling: the desktop's scale %1 is ignored, since the main window would not fit on "
                            "its 2320x2045 screen.";
    const QStringList none;
    const QString nothingSaid;
    QTest::newRow("GNOME at 200 %") << 2 << 192 << "little-endian" << 0 << none << none << doubled << nothingSaid;
    QTest::newRow("GNOME at 200 %, written most significant byte first")
        << 2 << 192 << "big-endian" << 0 << none << none << doubled << nothingSaid;
    QTest::newRow("GNOME at 100 %") << 1 << 96 << "big-endian" << 0 << none << none << at96 << nothingSaid;
    QTest::newRow("a scale chosen for Qt comes first")
        << 2 << 192 << "little-endian" << 0 << QStringList{"QT_SCALE_FACTOR=1"} << none << at192 << nothingSaid;
    QTest::newRow("a screen's scale chosen for Qt comes first")
        << 2 << 192 << "little-endian" << 0 << QStringList{"QT_SCREEN_SCALE_FACTORS=1"} << none << at192 << nothingSaid;
    // The display named on the command line is the desktop's, not DISPLAY's.
    QTest::newRow("the display chosen on the command line")
        << 2 << 192 << "little-endian" << 0 << QStringList{"DISPLAY=:999"}
        << QStringList{"-display", qEnvironmentVariable("DISPLAY")} << doubled << nothingSaid;
    QTest::newRow("the largest scale at which the main window fits")
        << 5 << 480 << "little-endian" << 0 << none << none << "2320×2045 1380×805 1890×500" << nothingSaid;
    QTest::newRow("one at which it does not")
        << 6 << 576 << "little-endian" << 0 << none << none << "464×409 1734×1012 2369×630" << ignored.arg(6);
    // A display's second screen, smaller than the first: its own desktop.
    const QString second = qEnvironmentVariable("DISPLAY") + ".1";
    QTest::newRow("the display's second screen")
        << 3 << 96 << "little-endian" << 1 << QStringList{"DISPLAY=" + second} << none << at96
        << "tst_Scaling: the desktop's scale 3 is ignored, since the main "
           "window would not fit on its 1400x1024 screen.";
    QTest::newRow("a scale of 40") << 40 << 96 << "big-endian" << 0 << none << none << at96 << ignored.arg(40);
}

void ScalingTest::desktopScale()
{
    QFETCH(int, scale);
    QFETCH(int, dpi);
    QFETCH(QString, byteOrder);
    QFETCH(int, screen);
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, sizes);
    QFETCH(QString, said);
    QProcess manager;
    QVERIFY(StartStandIn(manager, {"--xsettings", QString::number(scale), byteOrder, QString::number(screen)}));
    const Drawn drawn = RunProgram(environment, QString("Xft.dpi:\t%1\n").arg(dpi), arguments);
    QVERIFY(StopStandIn(manager));
    QCOMPARE(drawn.sizes, sizes + " moved 0, 0");
    QCOMPARE(drawn.errors.split('\n').filter("desktop's scale").join('\n'), said);
}

void ScalingTest::picturesStayExact()
{
    // At scale 2 every pixel of the cells, frame, checkerboard and picture,
    // is a square of four: the scale-1 cell doubled without smoothing.
    const Drawn single = RunProgram({});
    const Drawn doubled = RunProgram({"QT_SCALE_FACTOR=2"});
    QCOMPARE(single.pressed.size(), QSize(40, 40));
    QCOMPARE(doubled.pressed.size(), QSize(80, 80));
    QVERIFY(doubled.pressed == single.pressed.scaled(80, 80));
    QVERIFY(doubled.released == single.released.scaled(80, 80));
}

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--xsettings") == 0)
        return PublishSettings(std::atoi(argv[2]), qstrcmp(argv[3], "big-endian") == 0, std::atoi(argv[4]));
    if (argc >= 3 && qstrcmp(argv[1], "--report") == 0) {
        // The program's own arguments follow the report's folder.
        const QString folder = QString::fromLocal8Bit(argv[2]);
        argv[2] = argv[0];
        int count = argc - 2;
        return Report(count, argv + 2, folder);
    }
    QCoreApplication application(argc, argv);
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Scaling.moc"
