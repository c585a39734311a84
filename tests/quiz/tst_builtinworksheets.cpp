#include "fieldreader.h"
#include "mediapath.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

// The two worksheets shipped with the program, read as the topic menus read them.
class BuiltInWorksheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void worksheetIsComplete_data();
    void worksheetIsComplete();
    void catalogueStartsEmpty();
};

void BuiltInWorksheetsTest::initTestCase()
{
    MediaPath::setWorksheetsFolder(QStringLiteral(ONDEL_WORKSHEET_SOURCE_DIR));
}

void BuiltInWorksheetsTest::cleanupTestCase()
{
    MediaPath::setWorksheetsFolder(QString());
}

void BuiltInWorksheetsTest::worksheetIsComplete_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("Rivers 1") << u"multiple\\Rivers 1.txt"_s << u"Rivers 1: Drainage Basins"_s;
    QTest::newRow("Rivers 2") << u"multiple\\Rivers 2.txt"_s << u"Rivers 2: Landforms"_s;
}

void BuiltInWorksheetsTest::worksheetIsComplete()
{
    QFETCH(QString, path);
    QFETCH(QString, title);

    FieldReader file;
    file.open(path);
    WorksheetFiles::readworksheet(file);
    // Nothing follows the last question's closing field.
    QVERIFY_THROWS_EXCEPTION(std::exception, file.readField());
    file.close();

    QCOMPARE(worktitle, title);
    QSet<QString> questionTexts;
    QSet<QString> correctLetters;
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        QVERIFY2(!questions[q].isEmpty(), qPrintable(u"question %1 is empty"_s.arg(q)));
        QVERIFY2(questions[q].endsWith(u'?'), qPrintable(questions[q]));
        questionTexts.insert(questions[q]);
        const QStringList answers { answera[q], answerb[q], answerc[q], answerd[q] };
        for (const QString &answer : answers)
            QVERIFY2(!answer.isEmpty(), qPrintable(u"question %1 has an empty answer"_s.arg(q)));
        QCOMPARE(QSet<QString>(answers.begin(), answers.end()).size(), 4);
        QVERIFY2(QStringList({ u"1"_s, u"2"_s, u"3"_s, u"4"_s }).contains(correct[q]),
                 qPrintable(u"question %1: correct is \"%2\""_s.arg(q).arg(correct[q])));
        correctLetters.insert(correct[q]);
    }
    QCOMPARE(questionTexts.size(), worksheetQuestionCount);
    // The right answers are spread over A to D.
    QCOMPARE(correctLetters.size(), 4);
}

void BuiltInWorksheetsTest::catalogueStartsEmpty()
{
    WorksheetFiles::readcatalogue();
    QCOMPARE(trackcount, 0);
}

QTEST_GUILESS_MAIN(BuiltInWorksheetsTest)
#include "tst_builtinworksheets.moc"
