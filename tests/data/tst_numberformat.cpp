// SPDX-License-Identifier: GPL-3.0-or-later
// Picture formats, general format, rounding and reading numbers back.
#include "data/numberformat.h"

#include <QtTest>

class TestNumberFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void picture_formatsAsPrinted_data();
    void picture_formatsAsPrinted();
    void picture_nullValue_isEmpty();
    void general_shortestForm_data();
    void general_shortestForm();
    void withSignPosition_blankOrMinus_data();
    void withSignPosition_blankOrMinus();
    void leadingValue_readsNumericPrefix_data();
    void leadingValue_readsNumericPrefix();
    void parse_wholeTextOnly_data();
    void parse_wholeTextOnly();
    void round_halfAwayFromZero();
};

void TestNumberFormat::picture_formatsAsPrinted_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals padded") << 3.5 << "####0.00"
                                         << "3.50";
    QTest::newRow("zero padded sort text") << 3.5 << "00000.00"
                                           << "00003.50";
    QTest::newRow("six integer digits") << 12.25 << "000000.00"
                                        << "000012.25";
    QTest::newRow("one decimal") << 2.4 << "###0.0"
                                 << "2.4";
    QTest::newRow("one decimal sort text") << 2.4 << "00000.0"
                                           << "00002.4";
    QTest::newRow("2.675 rounds up despite binary noise") << 2.675 << "####0.00"
                                                          << "2.68";
    QTest::newRow("5.65 rounds up") << 5.65 << "##0.0"
                                    << "5.7";
    QTest::newRow("0.05 rounds up") << 0.05 << "###0.0"
                                    << "0.1";
    QTest::newRow("negative half away from zero") << -2.25 << "##0.0"
                                                  << "-2.3";
    QTest::newRow("carry into a new digit") << 9.995 << "####0.00"
                                            << "10.00";
    QTest::newRow("zero") << 0.0 << "###0.0"
                          << "0.0";
    QTest::newRow("below one keeps the zero") << 0.25 << "##0.00"
                                              << "0.25";
    QTest::newRow("no grouping") << 123456.789 << "####0.00"
                                 << "123456.79";
    QTest::newRow("tiny negative shows no minus") << -0.001 << "##0.00"
                                                  << "0.00";
    QTest::newRow("sum of stored loadings") << (1.09 + 2.73 + 1.85) << "####0.00"
                                            << "5.67";
}

void TestNumberFormat::picture_formatsAsPrinted()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(NumberFormat::picture(value, pattern), expected);
}

void TestNumberFormat::picture_nullValue_isEmpty()
{
    QCOMPARE(NumberFormat::picture(std::optional<double>(), u"####0.00"), QString());
    QCOMPARE(NumberFormat::picture(std::optional<double>(1.0), u"####0.00"), QStringLiteral("1.00"));
}

void TestNumberFormat::general_shortestForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("one decimal") << 12.3 << "12.3";
    QTest::newRow("sum with binary noise") << (12.3 + 3.1) << "15.4";
    QTest::newRow("below one") << 0.5 << "0.5";
    QTest::newRow("negative") << -0.25 << "-0.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("fifteen digits") << (0.1 + 0.2) << "0.3";
    QTest::newRow("large") << 1e20 << "1E+20";
}

void TestNumberFormat::general_shortestForm()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberFormat::general(value), expected);
}

void TestNumberFormat::withSignPosition_blankOrMinus_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bound 6 less a tenth") << (6 - 0.1) << " 5.9";
    QTest::newRow("bound 20 less a tenth") << (20 - 0.1) << " 19.9";
    QTest::newRow("below one drops the zero") << 0.4 << " .4";
    QTest::newRow("negative") << -0.25 << "-.25";
    QTest::newRow("whole") << 35.0 << " 35";
}

void TestNumberFormat::withSignPosition_blankOrMinus()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberFormat::withSignPosition(value), expected);
}

void TestNumberFormat::leadingValue_readsNumericPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("number") << "12.50" << 12.5;
    QTest::newRow("leading blanks") << "   3.25" << 3.25;
    QTest::newRow("n/a") << "n/a" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("trailing text") << "4.5 TPA" << 4.5;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("no zero before point") << ".5" << 0.5;
}

void TestNumberFormat::leadingValue_readsNumericPrefix()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(NumberFormat::leadingValue(text), expected);
}

void TestNumberFormat::parse_wholeTextOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("list entry with blank") << " 40" << true << 40.0;
    QTest::newRow("plain") << "0" << true << 0.0;
    QTest::newRow("no zero before point") << ".5" << true << 0.5;
    QTest::newRow("negative without zero") << "-.25" << true << -0.25;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("trailing letters") << "4x" << false << 0.0;
    QTest::newRow("sql in a range") << "0 OR 1=1" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("just a point") << "." << false << 0.0;
}

void TestNumberFormat::parse_wholeTextOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const auto value = NumberFormat::parse(text);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

void TestNumberFormat::round_halfAwayFromZero()
{
    QCOMPARE(NumberFormat::round(12.25, 1), 12.3);
    QCOMPARE(NumberFormat::round(-12.25, 1), -12.3);
    QCOMPARE(NumberFormat::round(2.675, 2), 2.68);
    QCOMPARE(NumberFormat::round(4.16 + 11.74, 1), 15.9);
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
