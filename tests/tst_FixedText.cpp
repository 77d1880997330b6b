// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/FixedText.h"

#include <QTest>

class FixedTextTest : public QObject {
    Q_OBJECT

private slots:
    void keepsWholeCharacters_data();
    void keepsWholeCharacters();
};

void FixedTextTest::keepsWholeCharacters_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("kept");
    const QString name32 = QString(32, QChar(u'Щ'));
    QTest::newRow("fits") << "Ходит "
                          << "Игрок-1"
                          << "Ходит Игрок-1";
    QTest::newRow("full name fits exactly") << "Ходит " << name32 << "Ходит " + name32;
    QTest::newRow("cut at the capacity") << "Ходит " << name32 + QString(2, QChar(u'Ж')) << "Ходит " + name32;
    QTest::newRow("four-byte characters") << QString("Ходит ") << QString(16, QChar(u'Ё')) + "\U0001F600"
                                          << "Ходит " + QString(16, QChar(u'Ё')) + "\U0001F600";
}

void FixedTextTest::keepsWholeCharacters()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, kept);
    const QByteArray a = first.toUtf8();
    const QByteArray b = second.toUtf8();
    FixedText<38> text(std::string_view(a.constData(), a.size()));
    text.append(std::string_view(b.constData(), b.size()));
    const std::string_view result = text.view();
    QCOMPARE(QString::fromUtf8(result.data(), static_cast<qsizetype>(result.size())), kept);
    QCOMPARE(text.length(), static_cast<std::size_t>(kept.toUcs4().size()));
}

QTEST_APPLESS_MAIN(FixedTextTest)
#include "tst_FixedText.moc"
