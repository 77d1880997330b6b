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

// An XSETTINGS manager, as GNOME's: it publishes the desktop's scale and
// the text resolution with it, among settings of the other two kinds, and
// says "ready" once it owns the settings; it stops when its standard input
// closes. The settings are laid out as an XSETTINGS manager writes them,
// least significant byte first.
QByteArray GnomeSettings(int scale)
{
    QByteArray data;
    const auto card = [&data](quint32 value, int bytes) {
        for (int at = 0; at < bytes; ++at)
            data += static_cast<char>(value >> (8 * at));
    };
    const auto text = [&data](const QByteArray &text) { data += text + QByteArray((4 - text.size() % 4) % 4, 0); };
    const auto setting = [&](int type, const QByteArray &name) {
        card(type, 1);
        card(0, 1);
        card(name.size(), 2);
        text(name);
        card(0, 4); // the serial of its last change
    };
    card(0, 4); // the byte order
    card(7, 4); // the serial
    card(4, 4);
    setting(1, "Net/ThemeName");
    card(7, 4);
    text("Adwaita");
    setting(2, "Gtk/ColorSelectorColor");
    for (int channel = 0; channel < 4; ++channel)
        card(0xffff, 2);
    setting(0, "Xft/DPI");
    card(96 * scale * 1024, 4);
    setting(0, "Gdk/WindowScalingFactor");
    card(scale, 4);
    return data;
}

int PublishSettings(int scale)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t manager = xcb_generate_id(connection);
    xcb_create_window(connection, 0, manager, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0,
                      nullptr);
    const QByteArray settings = GnomeSettings(scale);
    const xcb_atom_t property = X11Atom(connection, "_XSETTINGS_SETTINGS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, manager, property, property, 8,
                        static_cast<uint32_t>(settings.size()), settings.constData());
    xcb_set_selection_owner(connection, manager, X11Atom(connection, "_XSETTINGS_S0"), XCB_CURRENT_TIME);
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
};

// Runs the program with these variables set, and with `resources` as the X
// resource database (Xft.dpi), which a desktop sets for its text resolution.
Drawn RunProgram(const QStringList &environment, const QString &resources = {})
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
    if (const ProgramRun run = RunAsProgram({"--report", folder.path()}, variables); !run.ended || run.status != 0)
        return {"failed: " + run.errors, {}, {}};
    QFile sizes(folder.path() + "/sizes");
    if (!sizes.open(QIODevice::ReadOnly))
        return {"no report", {}, {}};
    const auto picture = [&folder](const char *name) {
        return QImage(folder.path() + "/" + name).convertToFormat(QImage::Format_RGB32);
    };
    return {QString::fromUtf8(sizes.readAll()).trimmed(), picture("pressed.png"), picture("released.png")};
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
    QTest::addColumn<int>("scale");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("sizes");
    QTest::newRow("GNOME at 200 %") << 2 << QStringList{} << "928×818 552×322 756×200";
    QTest::newRow("GNOME at 100 %") << 1 << QStringList{} << "464×409 276×161 378×100";
    QTest::newRow("a scale chosen for Qt comes first")
        << 2 << QStringList{"QT_SCALE_FACTOR=1"} << "464×409 578×337 790×210";
}

void ScalingTest::desktopScale()
{
    QFETCH(int, scale);
    QFETCH(QStringList, environment);
    QFETCH(QString, sizes);
    QProcess manager;
    QVERIFY(StartStandIn(manager, {"--xsettings", QString::number(scale)}));
    const QString drawn = RunProgram(environment, QString("Xft.dpi:\t%1\n").arg(96 * scale)).sizes;
    QVERIFY(StopStandIn(manager));
    QCOMPARE(drawn, sizes + " moved 0, 0");
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
    if (argc == 3 && qstrcmp(argv[1], "--xsettings") == 0)
        return PublishSettings(std::atoi(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--report") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        int count = 1;
        return Report(count, argv, folder);
    }
    QCoreApplication application(argc, argv);
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Scaling.moc"
