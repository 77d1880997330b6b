// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop's scale enlarges every window whole, while the small windows
// follow the resolution divided by that scale, and the pictures stay exact.
// A scale is read as the application starts, so each case runs this same
// executable again as the program, which reports what it drew.

#include "tests/WindowDriver.h"

#include "ui/AboutWindow.h"
#include "ui/EndGameWindow.h"

#include <QProcess>
#include <QTemporaryDir>

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
