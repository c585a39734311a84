#include "fieldreader.h"
#include "windows1252.h"
#include "worksheetfileerror.h"
#include "worksheettestdata.h"
#include "worksheettext.h"

#include <QTest>

class tst_FieldReader : public QObject
{
    Q_OBJECT

private slots:
    void readsFieldsByTheRules_data();
    void readsFieldsByTheRules();
    void missingFileFailsAndOnlyOneFileIsOpenAtATime();
    void readsLongFilesAcrossBufferChunks();
    void windows1252ReadsAndWritesEveryByte();
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
    TempMediaRoot media;
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

void tst_FieldReader::readsLongFilesAcrossBufferChunks()
{
    // Lines of varying length put field ends, CR LF pairs and quoted fields across every
    // possible offset of the reader's 64 KiB chunks.
    TempMediaRoot media;
    QByteArray bytes;
    QStringList expected;
    for (int i = 0; bytes.size() < 300 * 1024; ++i) {
        const QByteArray text = QByteArray::number(i) + QByteArray(i % 37, 'x');
        if (i % 5 == 0) {
            bytes += "  \"" + text + ", quoted\"\r\n";
            expected += QString::fromLatin1(text + ", quoted");
        } else {
            bytes += text + "  \r\n";
            expected += QString::fromLatin1(text);
        }
    }
    media.write(QStringLiteral("multiple/long.txt"), bytes);

    FieldReader reader;
    reader.open(QStringLiteral("multiple/long.txt"));
    QStringList read;
    for (qsizetype i = 0; i < expected.size(); ++i)
        read += reader.readField();
    QCOMPARE(read, expected);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, reader.readField());
}

// Not Latin-1: 0x80 to 0x9F hold the euro sign and typographic quotes; the five bytes the
// code page leaves undefined stand for themselves.
void tst_FieldReader::windows1252ReadsAndWritesEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(Windows1252::encode(text), std::optional<QByteArray>(all));
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x93], QChar(0x201C));
    QCOMPARE(text[0x94], QChar(0x201D));
    QCOMPARE(text[0x9F], QChar(0x0178));
    QCOMPARE(text[0x81], QChar(0x0081));
    QCOMPARE(text[0xE9], QChar(0x00E9));
    QCOMPARE(Windows1252::fromUnicode(QChar(0x2019)), std::optional<uchar>(0x92));
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
