#include "windows1252.h"
#include "worksheettext.h"

#include <QTest>

class tst_Windows1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteReadsAndWritesBack();
    void highBytesHoldTypographicCharacters_data();
    void highBytesHoldTypographicCharacters();
    void charactersOutsideTheCodePageCannotBeStored_data();
    void charactersOutsideTheCodePageCannotBeStored();
};

void tst_Windows1252::everyByteReadsAndWritesBack()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(Windows1252::encode(text), std::optional<QByteArray>(all));
}

void tst_Windows1252::highBytesHoldTypographicCharacters_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro sign") << 0x80 << 0x20AC;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("right double quote") << 0x94 << 0x201D;
    QTest::newRow("right single quote") << 0x92 << 0x2019;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("undefined 0x81 stays itself") << 0x81 << 0x0081;
    QTest::newRow("undefined 0x9D stays itself") << 0x9D << 0x009D;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
}

void tst_Windows1252::highBytesHoldTypographicCharacters()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QChar c(static_cast<char16_t>(unicode));
    QCOMPARE(Windows1252::toUnicode(static_cast<uchar>(byte)), c);
    QCOMPARE(Windows1252::fromUnicode(c), std::optional<uchar>(static_cast<uchar>(byte)));
}

void tst_Windows1252::charactersOutsideTheCodePageCannotBeStored_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstBad");
    QTest::newRow("Latin-1 control 0x80 is not the euro") << QStringLiteral(u"a\u0080") << 1;
    QTest::newRow("a macron") << QStringLiteral(u"Ma\u0101ori") << 2;
    QTest::newRow("Greek") << QStringLiteral(u"\u03c0 r squared") << 0;
    QTest::newRow("Chinese") << QStringLiteral(u"river \u6cb3") << 6;
    QTest::newRow("emoji") << QStringLiteral(u"wave \U0001F30A") << 5;
}

void tst_Windows1252::charactersOutsideTheCodePageCannotBeStored()
{
    QFETCH(QString, text);
    QFETCH(int, firstBad);
    QVERIFY(!Windows1252::canEncode(text));
    QCOMPARE(Windows1252::firstUnencodable(text), firstBad);
    QCOMPARE(Windows1252::encode(text), std::nullopt);
    QVERIFY(!WorksheetText::isStorable(text));
    QVERIFY(!WorksheetText::isValidTitle(text));
}

QTEST_GUILESS_MAIN(tst_Windows1252)
#include "tst_windows1252.moc"
