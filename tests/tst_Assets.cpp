// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/Colours.h"

#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const QSet<QRgb> StandardPalette{
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

QImage Picture(const QString &name)
{
    QImage image(QStringLiteral(":/assets/") + name);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Columns of one row (or rows of one column) that are not background.
QList<int> Marks(const QImage &image, bool alongRow, int line, QRgb mark)
{
    QList<int> marks;
    for (int at = 0; at < 36; ++at) {
        const QRgb pixel = alongRow ? image.pixel(at, line) : image.pixel(line, at);
        if (pixel == mark)
            marks.append(at);
    }
    return marks;
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(assets); }
    void cellPictures_data();
    void cellPictures();
    void icon_data();
    void icon();
};

void AssetsTest::cellPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QColor>("ring");
    QTest::addColumn<QColor>("fill");
    QTest::newRow("empty cell") << "FreeCell.bmp" << QColor(Teal) << QColor(Grey);
    QTest::newRow("player 1") << "Player1Cell.bmp" << QColor(Black) << QColor(Green);
    QTest::newRow("player 2") << "Player2Cell.bmp" << QColor(Black) << QColor(255, 0, 0);
}

void AssetsTest::cellPictures()
{
    QFETCH(QString, file);
    QFETCH(QColor, ring);
    QFETCH(QColor, fill);
    const QImage image = Picture(file);
    QCOMPARE(image.size(), QSize(36, 36));
    QSet<QRgb> colours;
    QRect extent;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            if (pixel != Grey)
                extent |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(StandardPalette.contains(colours));
    QCOMPARE(image.pixel(0, 35), Grey); // the transparent colour
    QCOMPARE(extent, QRect(QPoint(1, 1), QPoint(34, 34)));
    QCOMPARE(colours, (QSet<QRgb>{Grey, ring.rgb(), fill.rgb()}));

    // Across the middle both circles are crossed exactly at their extents:
    // the outer one at 1 and 34, the inner one at 8 and 27.
    for (int middle : {17, 18}) {
        QCOMPARE(Marks(image, true, middle, ring.rgb()), (QList<int>{1, 8, 27, 34}));
        QCOMPARE(Marks(image, false, middle, ring.rgb()), (QList<int>{1, 8, 27, 34}));
    }
    QCOMPARE(image.pixel(17, 17), fill.rgb()); // the centre
    QCOMPARE(image.pixel(4, 17), fill.rgb());  // between the circles
}

void AssetsTest::icon_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::newRow("window icon") << ":/assets/Telvir.bmp" << 32;
    for (int size : {32, 48, 64, 128, 256})
        QTest::addRow("desktop icon %d", size)
            << QStringLiteral(TELVIR_SOURCE_DIR "/assets/icons/%1.png").arg(size) << size;
}

void AssetsTest::icon()
{
    QFETCH(QString, file);
    QFETCH(int, size);
    const QImage icon = QImage(file).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(icon.size(), QSize(size, size));
    // Crisp edges: only the design's own colours, nothing blended.
    QSet<QRgb> colours;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            colours.insert(icon.pixel(x, y));
    }
    QCOMPARE(colours, (QSet<QRgb>{Grey, Black, qRgb(0, 255, 0), qRgb(255, 0, 0)}));
    QCOMPARE(icon.pixel(0, 0), Grey);
    // Each disc, measured in 32ths of the icon: its colour on the rim, a grey
    // ring inside, its colour again at the centre, and the black shadow just
    // past its lower right edge.
    const struct {
        QPointF centre;
        QRgb colour;
    } discs[] = {
        {{8, 8}, qRgb(0, 255, 0)}, {{24, 8}, qRgb(255, 0, 0)}, {{8, 24}, qRgb(255, 0, 0)}, {{24, 24}, qRgb(0, 255, 0)}};
    const double unit = size / 32.0;
    const auto at = [&](QPointF centre, double dx, double dy) {
        return icon.pixel(int((centre.x() + dx) * unit), int((centre.y() + dy) * unit));
    };
    for (const auto &disc : discs) {
        QCOMPARE(at(disc.centre, -5, 0), disc.colour);
        QCOMPARE(at(disc.centre, -3.1, 0.2), Grey);
        QCOMPARE(at(disc.centre, 0, 0), disc.colour);
        QCOMPARE(at(disc.centre, 6.4, 0.5), Black);
        QCOMPARE(at(disc.centre, 0.5, 6.4), Black);
        QCOMPARE(at(disc.centre, -7, 0), Grey);
    }
}

QTEST_MAIN(AssetsTest)
#include "tst_Assets.moc"
