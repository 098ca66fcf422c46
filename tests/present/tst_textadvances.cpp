// SPDX-License-Identifier: GPL-3.0-or-later
// The cheap measure of one-line texts: never narrower than the text as shaped.
#include "present/textadvances.h"

#include <QApplication>
#include <QFontMetrics>
#include <QtTest>

class TestTextAdvances : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void width_neverLessThanShaped_data();
    void width_neverLessThanShaped();
};

void TestTextAdvances::width_neverLessThanShaped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exact"); // up to the rounding of the sum
    QTest::newRow("digits") << "0123.45" << true;
    QTest::newRow("photo label") << "AK-01/07" << false;
    QTest::newRow("kerning pairs") << "AVATAR To Wa" << false;
    QTest::newRow("accents") << "Sierra Nevada — Pinyón" << false;
    QTest::newRow("shaped script, measured whole") << QString::fromUtf8("غابة") << true;
    QTest::newRow("surrogates, measured whole") << QString::fromUtf8("plot \U0001F332") << true;
    QTest::newRow("empty") << QString() << true;
}

void TestTextAdvances::width_neverLessThanShaped()
{
    QFETCH(QString, text);
    QFETCH(bool, exact);
    for (const int size : {8, 9, 12}) {
        QFont font = QApplication::font();
        font.setPointSize(size);
        TextAdvances advances(font);
        const int shaped = QFontMetrics(font).horizontalAdvance(text);
        const int measured = advances.width(text);
        QVERIFY2(measured >= shaped, qPrintable(QStringLiteral("%1 < %2").arg(measured).arg(shaped)));
        if (exact)
            QVERIFY(measured - shaped <= 1);
        // Asked again, the remembered advances give the same width.
        QCOMPARE(advances.width(text), measured);
    }
}

QTEST_MAIN(TestTextAdvances)
#include "tst_textadvances.moc"
