#include "worksheetimport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class WorksheetImportTest : public QObject
{
    Q_OBJECT

private slots:
    void questionsTakenOrSkipped_data();
    void questionsTakenOrSkipped();
    void malformedFilesNameTheirLine_data();
    void malformedFilesNameTheirLine();
};

namespace {

constexpr auto gift = QuestionFormat::Gift;
constexpr auto xml = QuestionFormat::MoodleXml;

QByteArray quiz(const QString &questions)
{
    return (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n"_s + questions
            + u"\n</quiz>\n"_s)
        .toUtf8();
}

// A Moodle XML question; answers as "fraction:text" separated by "|".
QString xq(const QString &type, const QString &text, const QString &answers = {},
           const QString &more = {})
{
    QString question
        = u"<question type=\"%1\"><name><text>N</text></name>%3<questiontext "
          u"format=\"html\"><text><![CDATA[%2]]></text></questiontext>"_s.arg(type, text, more);
    for (const QString &answer : answers.split(u'|', Qt::SkipEmptyParts))
        question += u"<answer fraction=\"%1\"><text>%2</text></answer>"_s.arg(
            answer.section(u':', 0, 0), answer.section(u':', 1));
    return question + u"</question>"_s;
}

QString mc(const QString &text, const QString &more = {})
{
    return xq(u"multichoice"_s, text, u"0:Source|100:Mouth &amp;amp; sea|0:Hill|0:Spring"_s, more);
}

// "title|question|A|B|C|D|correct letter" for a worksheet's first row.
QString firstRow(const ImportedWorksheet &w)
{
    QStringList row { w.draft.title, w.draft.questions[0] };
    for (int k = 0; k < 4; ++k)
        row += w.draft.answers[k];
    for (int k = 0; k < 4; ++k) {
        if (w.draft.ticks[k])
            row += QString(QChar(u'A' + k));
    }
    return row.join(u'|');
}

} // namespace

void WorksheetImportTest::questionsTakenOrSkipped_data()
{
    QTest::addColumn<QuestionFormat>("format");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("taken"); // firstRow(), or the reason it was skipped
    QTest::addColumn<QString>("warning"); // empty: none

    const auto row = [](const char *tag, QuestionFormat format, const QString &file,
                        const QString &taken, const QString &warning = {}) {
        QTest::newRow(tag) << format << (format == xml ? quiz(file) : file.toUtf8()) << taken
                           << warning;
    };
    row("escapes and name", gift, u"::Q\\:1:: 2 \\= 2\\: \\{so\\} \\#1?{=yes \\~ok ~no ~c ~d}"_s,
        u"Rivers quiz|2 = 2: {so} #1?|yes ~ok|no|c|d|A"_s);
    row("html and entities", gift,
        u"[html]<p>Salt &amp; <b>fresh</b>&nbsp;water &lt;3</p>{~A&eacute; =B&\\#233; ~C&\\#xE9; ~D}"_s,
        u"Rivers quiz|Salt and fresh water <3|Aé|Bé|Cé|D|B"_s, u"\"&\" is written \"and\""_s);
    row("ampersands", gift, u"[plain]R&B?{=& ~a &b ~c ~d}"_s,
        u"Rivers quiz|R and B?|and|a and b|c|d|A"_s,
        u"Line 1: \"&\" is written \"and\", because a worksheet reads \"&\" back as a comma."_s);
    row("percent without a number", gift, u"Q?{=%reset ~%run ~%.5 ~d}"_s,
        u"Rivers quiz|Q?|%reset|%run|%.5|d|A"_s);
    row("markers on answers", gift,
        u"Q?{=[markdown]**Delta** ~%0%[html]<i>incorrect</i>. ~[PLAIN]<b> ~[moodle]x&lt;}"_s,
        u"Rivers quiz|Q?|Delta|incorrect.|<b>|x<|A"_s);
    row("markdown", gift,
        u"[markdown]Which **river** is _longest_?{~[Thames](http://x.uk) =Severn ~`Trent` ~Wye}"_s,
        u"Rivers quiz|Which river is longest?|Thames|Severn|Trent|Wye|B"_s);
    row("plain keeps tags", gift, u"[plain]Is <b> a tag?{=yes ~no ~c ~d}"_s,
        u"Rivers quiz|Is <b> a tag?|yes|no|c|d|A"_s);
    row("comments and category", gift,
        u"// intro\n$CATEGORY: $course$/top/Coasts\n\n::C1::\nWhere do\n// note\n<i>waves</i> "
        u"break?{\n"
        u"=On a beach #Yes!\n~In a cave\n~Up a hill\n~Under ice\n####General\n}"_s,
        u"Coasts|Where do waves break?|On a beach|In a cave|Up a hill|Under ice|A"_s);
    row("missing word", gift, u"Grant is {~buried =entombed ~living ~lost} in the tomb."_s,
        u"Rivers quiz|Grant is _____ in the tomb.|buried|entombed|living|lost|B"_s);
    row("opening quote", gift, u"\"Delta\" is Greek?{=yes ~no ~c ~d}"_s,
        u"Rivers quiz|“Delta” is Greek?|yes|no|c|d|A"_s);
    row("unstorable characters", gift, u"Is 3 ≥ 2 in Győr?{=yes ~no ~c ~d}"_s,
        u"Rivers quiz|Is 3 ? 2 in Gyor?|yes|no|c|d|A"_s,
        u"Line 1: characters a worksheet cannot store were replaced: \"≥\" by \"?\", \"ő\" by \"o\"."_s);
    row("question of 60", gift, QString(60, u'q') + u"{=a ~b ~c ~d}"_s,
        u"Rivers quiz|"_s + QString(60, u'q') + u"|a|b|c|d|A"_s);
    row("question of 61", gift, QString(61, u'q') + u"{=a ~b ~c ~d}"_s,
        u"the question is 61 characters long, and the wizard's box holds 60"_s);
    row("answer that & makes too long", gift, u"Q?{=a ~b ~Severn & Thames & Trent & Wye ~d}"_s,
        u"answer C is 35 characters long, and the wizard's box holds 30"_s);
    row("title cut between words", gift,
        u"$CATEGORY: Rivers: the long and winding course\n\nQ?{=a ~b ~c ~d}"_s,
        u"Rivers the long and|Q?|a|b|c|d|A"_s, u"cannot name a worksheet"_s);
    row("true/false", gift, u"Rivers flow uphill.{FALSE}"_s, u"a true/false question"_s);
    row("short answer", gift, u"Name a river.{=Nile =Amazon}"_s, u"a short-answer question"_s);
    row("short answer unmarked", gift, u"Four plus one equals {5}"_s, u"a short-answer question"_s);
    row("matching", gift, u"Match.{=Nile -> Egypt =Severn -> Wales}"_s, u"a matching question"_s);
    row("numerical", gift, u"How long is the Nile?{#6650:10}"_s, u"a numerical question"_s);
    row("essay", gift, u"Write about rivers.{}"_s, u"an essay question"_s);
    row("description", gift, u"Rivers are wonderful."_s, u"a description, not a question"_s);
    row("three answers", gift, u"Q?{=a ~b ~c}"_s, u"3 answers, not four"_s);
    row("partial credit", gift, u"Q?{=a ~%50%b ~c ~d}"_s,
        u"partial credit: an answer is worth 50%"_s);
    row("negative credit", gift, u"Q?{=a ~%-25%b ~c ~d}"_s,
        u"partial credit: an answer is worth -25%"_s);
    row("multiple credit", gift, u"Q?{=a =b ~c ~d}"_s,
        u"multiple credit: 2 answers are fully correct"_s);
    row("no answer right", gift, u"Q?{~a ~b ~c ~d}"_s, u"no answer is fully correct"_s);
    row("picture", gift, u"<img src=\"x.png\">What is this?{=a ~b ~c ~d}"_s,
        u"it shows a picture, which a worksheet cannot"_s);
    row("empty answer", gift, u"Q?{=a ~ ~c ~d}"_s, u"answer B is empty"_s);
    row("xml cdata and category", xml,
        u"<question type=\"category\"><category><text>$course$/top/Estuaries</text></category>"
        u"</question><!-- a comment -->"_s
            + mc(u"<p>Where does a river <i>end</i>?</p>"_s),
        u"Estuaries|Where does a river end?|Source|Mouth and sea|Hill|Spring|B"_s,
        u"Line 3: \"&\" is written"_s);
    row("xml html as elements", xml,
        u"<question type=\"multichoice\"><questiontext format=\"html\"><text>Is <b>this</b> "
        u"bold?</text></questiontext><answer fraction=\"100\"><text>a</text></answer><answer "
        u"fraction=\"0\"><text>b</text></answer><answer fraction=\"0\"><text>c</text></answer>"
        u"<answer fraction=\"0\"><text>d</text></answer></question>"_s,
        u"Rivers quiz|Is this bold?|a|b|c|d|A"_s);
    row("xml truefalse", xml, xq(u"truefalse"_s, u"Q"_s, u"100:true|0:false"_s),
        u"a true/false question"_s);
    row("xml shortanswer", xml, xq(u"shortanswer"_s, u"Q"_s), u"a short-answer question"_s);
    row("xml matching", xml, xq(u"matching"_s, u"Q"_s), u"a matching question"_s);
    row("xml numerical", xml, xq(u"numerical"_s, u"Q"_s), u"a numerical question"_s);
    row("xml essay", xml, xq(u"essay"_s, u"Q"_s), u"an essay question"_s);
    row("xml cloze", xml, xq(u"multianswer"_s, u"Q"_s), u"a cloze question"_s);
    row("xml several to choose", xml, mc(u"Q"_s, u"<single>false</single>"_s),
        u"multiple credit: more than one answer may be chosen"_s);
    row("xml partial credit", xml, xq(u"multichoice"_s, u"Q"_s, u"33.33333:a|100:b|0:c|0:d"_s),
        u"partial credit: an answer is worth 33.3333%"_s);
}

void WorksheetImportTest::questionsTakenOrSkipped()
{
    QFETCH(QuestionFormat, format);
    QFETCH(QByteArray, file);
    QFETCH(QString, taken);
    QFETCH(QString, warning);
    const ImportResult result = WorksheetImport::importBytes(file, format, u"Rivers quiz"_s);
    QVERIFY2(!result.failed(), qPrintable(result.errorText()));
    if (result.worksheets.isEmpty()) {
        QCOMPARE(result.skipped.size(), 1);
        QCOMPARE(result.skipped.first().reason, taken);
    } else {
        QCOMPARE(firstRow(result.worksheets.first()), taken);
    }
    QCOMPARE(result.warnings.join(u'\n').contains(warning), true);
    QCOMPARE(result.warnings.isEmpty(), warning.isEmpty());
}

void WorksheetImportTest::malformedFilesNameTheirLine_data()
{
    QTest::addColumn<QuestionFormat>("format");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");
    const QByteArray good = "Q?{=a ~b ~c ~d}\n\n";
    QTest::newRow("unclosed answers") << gift << good + "Q?{=a ~b\n\n~c ~d}"
                                      << u"Line 3: The answers opened here with { are not closed "
                                         u"with }. (A blank line ends a question.)"_s;
    QTest::newRow("stray brace") << gift << good + "// c\nQ?\n}"
                                 << u"Line 5: A } closes answers that were never opened with {. "
                                    u"Write \\} for a brace in a text."_s;
    QTest::newRow("unclosed name") << gift << good + "::Name Q?{=a ~b ~c ~d}"
                                   << u"Line 3: The question name that begins with :: is not "
                                      u"closed with ::."_s;
    QTest::newRow("credit not a number") << gift << good + "Q?{\n=a\n~%1/2%b ~c ~d}"
                                         << u"Line 5: An answer's credit must be a number between "
                                            u"two % signs, such as %50%."_s;
    QTest::newRow("two answer sets") << gift << good + "Q?{=a ~b ~c ~d} and {=e ~f}"
                                     << u"Line 3: A question can have only one set of answers "
                                        u"in { }."_s;
    QTest::newRow("xml tags mismatch") << xml << quiz(mc(u"Q"_s) + u"\n<question>\n</quiz>"_s)
                                       << u"Line 5: Opening and ending tag mismatch."_s;
    QTest::newRow("xml cut short") << xml << quiz(mc(u"Q"_s)).chopped(9)
                                   << u"Line 3: The file ends before its XML is complete."_s;
    QTest::newRow("xml not a quiz") << xml << QByteArray("<?xml version=\"1.0\"?>\n\n<html/>")
                                    << u"Line 3: This is not a Moodle XML question file: it "
                                       u"begins with <html>, not <quiz>."_s;
    QTest::newRow("xml fraction") << xml
                                  << quiz(xq(u"multichoice"_s, u"Q"_s, u"all:a|0:b|0:c|0:d"_s))
                                  << u"Line 3: An answer's fraction must be a number, such as "
                                     u"fraction=\"100\"."_s;
}

void WorksheetImportTest::malformedFilesNameTheirLine()
{
    QFETCH(QuestionFormat, format);
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    const ImportResult result = WorksheetImport::importBytes(file, format, u"Rivers"_s);
    QCOMPARE(result.errorText(), error);
    // Nothing of what was read before the fault is kept to be written.
    QVERIFY(result.worksheets.isEmpty() && result.skipped.isEmpty() && result.warnings.isEmpty());
}

QTEST_GUILESS_MAIN(WorksheetImportTest)
#include "tst_worksheetimport.moc"
