#include "fieldreader.h"
#include "windows1252.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"
#include "worksheettext.h"

#include <QTest>

class tst_FieldReader : public QObject
{
    Q_OBJECT

private slots:
    void readsFieldsByTheRules_data();
    void readsFieldsByTheRules();
    void missingFileFailsAndOnlyOneFileIsOpenAtATime();
    void charactersOutsideWindows1252CannotBeStored_data();
    void charactersOutsideWindows1252CannotBeStored();
};

static QStringList fields(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list += QString::fromLatin1(text);
    return list;
}

void tst_FieldReader::readsFieldsByTheRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("crlf lines") << QByteArray("one\r\ntwo\r\n") << fields({ "one", "two" });
    QTest::newRow("bare lf lines") << QByteArray("one\ntwo\n") << fields({ "one", "two" });
    QTest::newRow("bare cr lines") << QByteArray("one\rtwo\r") << fields({ "one", "two" });
    QTest::newRow("no final line end") << QByteArray("one\r\ntwo") << fields({ "one", "two" });
    QTest::newRow("leading spaces skipped") << QByteArray("   one\r\n") << fields({ "one" });
    QTest::newRow("trailing spaces dropped")
        << QByteArray("one two   \r\n") << fields({ "one two" });
    QTest::newRow("comma ends a field") << QByteArray("a,b, c\r\n") << fields({ "a", "b", "c" });
    QTest::newRow("comma before line end") << QByteArray("a,\r\nb\r\n") << fields({ "a", "", "b" });
    QTest::newRow("line of spaces is one empty field")
        << QByteArray("a\r\n   \r\nb\r\n") << fields({ "a", "", "b" });
    QTest::newRow("empty line is an empty field")
        << QByteArray("a\r\n\r\nb") << fields({ "a", "", "b" });
    QTest::newRow("last line of spaces without line end")
        << QByteArray("a\r\n ") << fields({ "a", "" });
    QTest::newRow("quoted field keeps commas and spaces")
        << QByteArray("\"  a, b  \"\r\nc\r\n") << fields({ "  a, b  ", "c" });
    QTest::newRow("quoted field after spaces") << QByteArray("   \"a,b\"\r\n") << fields({ "a,b" });
    QTest::newRow("quoted field spans lines")
        << QByteArray("\"a\r\nb\",c") << fields({ "a\r\nb", "c" });
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"a\" xyz,b\r\n") << fields({ "a", "b" });
    QTest::newRow("unterminated quote runs to the end")
        << QByteArray("\"abc\r\ndef") << fields({ "abc\r\ndef" });
    QTest::newRow("quote inside a plain field") << QByteArray("ab\"c\r\n") << fields({ "ab\"c" });
    QTest::newRow("ampersand is kept")
        << QByteArray("rain & snow\r\n") << fields({ "rain & snow" });
    QTest::newRow("tab belongs to the field") << QByteArray("\tone\r\n") << fields({ "\tone" });
    QTest::newRow("count line") << QByteArray(" 3 \r\nx\r\n") << fields({ "3", "x" });
    QTest::newRow("windows-1252 bytes")
        << QByteArray("\x80 \x93quoted\x94 caf\xe9\r\n")
        << QStringList { QStringLiteral(u"\u20ac \u201cquoted\u201d caf\u00e9") };
    QTest::newRow("empty file") << QByteArray() << QStringList();
}

void tst_FieldReader::readsFieldsByTheRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);

    FieldReader reader;
    reader.openBytes(bytes);
    QStringList read;
    for (qsizetype i = 0; i < fields.size(); ++i)
        read += reader.readField();
    QCOMPARE(read, fields);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, reader.readField());
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, reader.readField());
    reader.close();
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, reader.readField());
}

void tst_FieldReader::missingFileFailsAndOnlyOneFileIsOpenAtATime()
{
    TemporaryMedia media;
    media.write(QStringLiteral("multiple/a.txt"), "a\r\n");
    media.write(QStringLiteral("multiple/b.txt"), "b\r\n");
    FieldReader first;
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, first.open(QStringLiteral("multiple\\none.txt")));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             first.open(QStringLiteral("multiple/../../escape.txt")));
    QVERIFY(!FieldReader::anyFileOpen());
    first.open(QStringLiteral("multiple/a.txt"));
    FieldReader second;
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, second.open(QStringLiteral("multiple/b.txt")));
    first.close();
    QVERIFY(!FieldReader::anyFileOpen());
    second.open(QStringLiteral("multiple/b.txt"));
    QCOMPARE(second.readField(), QStringLiteral("b"));
}

void tst_FieldReader::charactersOutsideWindows1252CannotBeStored_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstBad");
    QTest::newRow("Latin-1 control 0x80 is not the euro") << QStringLiteral(u"a\u0080") << 1;
    QTest::newRow("a macron") << QStringLiteral(u"Ma\u0101ori") << 2;
    QTest::newRow("Greek") << QStringLiteral(u"\u03c0 r squared") << 0;
    QTest::newRow("emoji") << QStringLiteral(u"wave \U0001F30A") << 5;
}

void tst_FieldReader::charactersOutsideWindows1252CannotBeStored()
{
    QFETCH(QString, text);
    QFETCH(int, firstBad);
    QCOMPARE(Windows1252::firstUnencodable(text), firstBad);
    QCOMPARE(Windows1252::encode(text), std::nullopt);
    QVERIFY(!WorksheetText::isStorable(text));
    QVERIFY(!WorksheetText::isValidTitle(text));
}

QTEST_GUILESS_MAIN(tst_FieldReader)
#include "tst_fieldreader.moc"
