#include "platform/text_rules.h"

#include <QtTest>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<qint16>)

class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void valuePatternRoundsHalfAwayFromZero_data();
    void valuePatternRoundsHalfAwayFromZero();
    void pumpNumberPattern_data();
    void pumpNumberPattern();
    void textToNumberAcceptsOnlyPlainNumbers_data();
    void textToNumberAcceptsOnlyPlainNumbers();
    void textToInt16RoundsHalfToEvenWithinRange_data();
    void textToInt16RoundsHalfToEvenWithinRange();
    void wholeNumberText();
    void pieces_data();
    void pieces();
};

void TestTextRules::valuePatternRoundsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << 5.0 << "05.0";
    QTest::newRow("12.34") << 12.34 << "12.3";
    QTest::newRow("0.05") << 0.05 << "00.1";
    QTest::newRow("50") << 50.0 << "50.0";
    QTest::newRow("-5") << -5.0 << "-05.0";
    QTest::newRow("100") << 100.0 << "100.0";
    QTest::newRow("123.45") << 123.45 << "123.5";
    QTest::newRow("49.96") << 49.96 << "50.0";
    QTest::newRow("49.95 reads as it is typed") << 49.95 << "50.0";
    QTest::newRow("1.15 reads as it is typed") << 1.15 << "01.2";
    QTest::newRow("-0.05 away from zero") << -0.05 << "-00.1";
    QTest::newRow("-0.04 is zero") << -0.04 << "00.0";
    QTest::newRow("0") << 0.0 << "00.0";
    QTest::newRow("9.96 carries") << 9.96 << "10.0";
    QTest::newRow("99.95 carries past two digits") << 99.95 << "100.0";
    QTest::newRow("12.5 keypad entry") << 12.5 << "12.5";
    QTest::newRow("1e20 shows all digits") << 1e20 << "100000000000000000000.0";
    QTest::newRow("tiny") << 1e-300 << "00.0";
}

void TestTextRules::valuePatternRoundsHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(textrules::pattern00_0(value), text);
}

void TestTextRules::pumpNumberPattern_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "00";
    QTest::newRow("7") << qint64(7) << "07";
    QTest::newRow("42") << qint64(42) << "42";
    QTest::newRow("123") << qint64(123) << "123";
    QTest::newRow("-5") << qint64(-5) << "-05";
    QTest::newRow("-32768") << qint64(-32768) << "-32768";
}

void TestTextRules::pumpNumberPattern()
{
    QFETCH(qint64, number);
    QFETCH(QString, text);
    QCOMPARE(textrules::pattern00(number), text);
}

void TestTextRules::textToNumberAcceptsOnlyPlainNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("number");
    const std::optional<double> fails;
    QTest::newRow("empty") << "" << fails;
    QTest::newRow("blanks only") << "   " << fails;
    QTest::newRow("blanks around") << " 1 " << std::optional(1.0);
    QTest::newRow("exponent") << "1e3" << std::optional(1000.0);
    QTest::newRow("signed exponent") << "2.5E-1" << std::optional(0.25);
    QTest::newRow("plus sign") << "+7" << std::optional(7.0);
    QTest::newRow("minus sign") << "-5" << std::optional(-5.0);
    QTest::newRow("leading point") << ".5" << std::optional(0.5);
    QTest::newRow("trailing point") << "5." << std::optional(5.0);
    QTest::newRow("keypad caption") << "12.5" << std::optional(12.5);
    QTest::newRow("inf") << "inf" << fails;
    QTest::newRow("nan") << "nan" << fails;
    QTest::newRow("hex") << "0x10" << fails;
    QTest::newRow("decimal comma") << "1,5" << fails;
    QTest::newRow("two points") << "1.2.3" << fails;
    QTest::newRow("point alone") << "." << fails;
    QTest::newRow("sign alone") << "-" << fails;
    QTest::newRow("exponent without digits") << "1e" << fails;
    QTest::newRow("blank inside") << "1 2" << fails;
    QTest::newRow("letters") << "abc" << fails;
    QTest::newRow("trailing letter") << "12a" << fails;
    QTest::newRow("two signs") << "+-1" << fails;
    QTest::newRow("full-width digit") << QString::fromUtf8("１") << fails;
    QTest::newRow("too large for a double") << "1e999" << fails;
    QTest::newRow("too small is zero") << "1e-999" << std::optional(0.0);
    QTest::newRow("many zeros then too large") << "0.0001e400" << fails;
    QTest::newRow("exponent beyond any integer") << "1e366666666666666666666666" << fails;
    QTest::newRow("negative exponent beyond any integer") << "1e-366666666666666666666666" << std::optional(0.0);
}

void TestTextRules::textToNumberAcceptsOnlyPlainNumbers()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, number);
    QCOMPARE(textrules::toNumber(text), number);
    QCOMPARE(textrules::isNumber(text), number.has_value());
}

void TestTextRules::textToInt16RoundsHalfToEvenWithinRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint16>>("number");
    const std::optional<qint16> fails;
    QTest::newRow("1") << "1" << std::optional<qint16>(1);
    QTest::newRow("1.5 to even") << "1.5" << std::optional<qint16>(2);
    QTest::newRow("2.5 to even") << "2.5" << std::optional<qint16>(2);
    QTest::newRow("-2.5 to even") << "-2.5" << std::optional<qint16>(-2);
    QTest::newRow("2.6 to nearest") << "2.6" << std::optional<qint16>(3);
    QTest::newRow("blanks around") << " 3 " << std::optional<qint16>(3);
    QTest::newRow("32767") << "32767" << std::optional<qint16>(32767);
    QTest::newRow("32767.5 overflows") << "32767.5" << fails;
    QTest::newRow("-32768.5 rounds to even, in range") << "-32768.5" << std::optional<qint16>(-32768);
    QTest::newRow("-32769 overflows") << "-32769" << fails;
    QTest::newRow("40000 overflows") << "40000" << fails;
    QTest::newRow("empty") << "" << fails;
    QTest::newRow("not a number") << "abc" << fails;
    QTest::newRow("1e3") << "1e3" << std::optional<qint16>(1000);
}

void TestTextRules::textToInt16RoundsHalfToEvenWithinRange()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint16>, number);
    QCOMPARE(textrules::toInt16(text), number);
}

void TestTextRules::wholeNumberText()
{
    QCOMPARE(textrules::wholeText(0), QStringLiteral("0"));
    QCOMPARE(textrules::wholeText(59), QStringLiteral("59"));
    QCOMPARE(textrules::wholeText(-3), QStringLiteral("-3"));
}

void TestTextRules::pieces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("piece");
    QTest::newRow("middle") << "Q00N01.5Y" << 5 << 4 << "01.5";
    QTest::newRow("first") << "Q00N01.5Y" << 1 << 1 << "Q";
    QTest::newRow("ninth") << "Q00N01.5Y" << 9 << 1 << "Y";
    QTest::newRow("start past the end") << "Q00N01.5" << 9 << 1 << "";
    QTest::newRow("length past the end") << "Q00N" << 3 << 10 << "0N";
    QTest::newRow("empty text") << "" << 1 << 1 << "";
}

void TestTextRules::pieces()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, piece);
    QCOMPARE(textrules::piece(text, start, length), piece);
}

QTEST_APPLESS_MAIN(TestTextRules)
#include "test_text_rules.moc"
