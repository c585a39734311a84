#include "fieldreader.h"
#include "worksheetexport.h"
#include "worksheetfiles.h"
#include "worksheetimport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

class WorksheetExportTest : public QObject
{
    Q_OBJECT

private slots:
    void importGivesBackTheExport_data();
    void importGivesBackTheExport();
};

namespace {

WorksheetDraft shipped(const QString &title)
{
    const QString topic = title.toLower().remove(u' ');
    QFile file(QStringLiteral(ONDEL_MEDIA_SOURCES "/topics/") + topic + u"/worksheet.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    FieldReader reader;
    reader.openBytes(file.readAll());
    WorksheetFiles::readworksheet(reader);
    WorksheetDraft draft = WorksheetFiles::draftFromMemory();
    draft.title = title; // the catalogue's name for it, as the catalogue exports it
    return draft;
}

// Every character the formats treat specially, in the texts a teacher might type.
WorksheetDraft awkward()
{
    WorksheetDraft draft;
    draft.title = u"Salt & Pepper “Quotes” éà"_s;
    const QStringList texts {
        u"Rivers, lakes + seas: which {one} is = ~ #1?"_s,
        u"He said \"source\" -> mouth"_s,
        u"%50% of <b>rain</b> € … –"_s,
        u"C:\\rivers\\  two  spaces"_s,
        u"[plain] ::not a name:: ‘quoted’"_s,
    };
    for (int q = 0; q < 10; ++q) {
        draft.questions[q] = texts[q % 5] + u' ' + QString::number(q);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * q + k] = texts[(q + k + 1) % 5].left(28) + QString::number(k);
        draft.ticks[4 * q + q % 4] = true;
    }
    return draft;
}

} // namespace

void WorksheetExportTest::importGivesBackTheExport_data()
{
    QTest::addColumn<WorksheetDraft>("draft");
    QTest::addColumn<QuestionFormat>("format");
    for (const auto format : { QuestionFormat::Gift, QuestionFormat::MoodleXml }) {
        const QByteArray suffix = questionFormatSuffix(format).toUtf8();
        QTest::newRow("Rivers 1 " + suffix) << shipped(u"Rivers 1"_s) << format;
        QTest::newRow("Rivers 2 " + suffix) << shipped(u"Rivers 2"_s) << format;
        QTest::newRow("awkward " + suffix) << awkward() << format;
    }
}

void WorksheetExportTest::importGivesBackTheExport()
{
    QFETCH(WorksheetDraft, draft);
    QFETCH(QuestionFormat, format);
    QVERIFY(!draft.questions[9].isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(WorksheetExport::fileName(u"export"_s, format));
    WorksheetExport::write(draft, format, path);

    const ImportResult result = WorksheetImport::importFile(path);
    QVERIFY2(!result.failed(), qPrintable(result.errorText()));
    QCOMPARE(result.worksheets.size(), 1);
    QCOMPARE(result.worksheets[0].draft, draft);
    QCOMPARE(result.summary(), QStringList { u"\"%1\": 10 questions."_s.arg(draft.title) });

    // Ten questions, one answer to choose, the right one at full credit.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto count = [&bytes](const char *pattern) {
        return QString::fromUtf8(bytes).count(QRegularExpression(QString::fromUtf8(pattern)));
    };
    if (format == QuestionFormat::Gift) {
        QCOMPARE(count("\\n\\t="), 10);
        QCOMPARE(count("\\n\\t~"), 30);
        return;
    }
    QVERIFY(bytes.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    QCOMPARE(count(R"(<question type="multichoice">)"), 10);
    QCOMPARE(count("<single>true</single>"), 10);
    QCOMPARE(count(R"(fraction="100")"), 10);
    QCOMPARE(count(R"(fraction="0")"), 30);
    // Well formed even with a control character that a worksheet file may hold.
    draft.questions[0] += QChar(1);
    QXmlStreamReader xml(WorksheetExport::toBytes(draft, format));
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

QTEST_GUILESS_MAIN(WorksheetExportTest)
#include "tst_worksheetexport.moc"
