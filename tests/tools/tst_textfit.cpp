#include "textfit.h"

#include <QTest>

// The text-fit check on small drawings: what it lets through and what it reports.
class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void reportsTextThatDoesNotFit_data();
    void reportsTextThatDoesNotFit();
};

namespace {

QString drawing(const QString &body)
{
    return QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.2" )"
                          R"(baseProfile="tiny" width="400" height="300" viewBox="0 0 400 300">)")
        + body + QStringLiteral("</svg>");
}

QString area(int x, int y, int width, int height, const QString &text)
{
    return QStringLiteral(R"(<textArea x="%1" y="%2" width="%3" height="%4" )"
                          R"(font-family="Arial" font-size="20">%5</textArea>)")
        .arg(x)
        .arg(y)
        .arg(width)
        .arg(height)
        .arg(text);
}

QString label(int boxLeft, int boxWidth, const QString &word)
{
    return QStringLiteral(R"(<rect x="%1" y="100" width="%2" height="30"/>)"
                          R"(<text x="%3" y="121" font-family="Arial" font-weight="bold" )"
                          R"(font-size="18" text-anchor="middle">%4</text>)")
        .arg(boxLeft)
        .arg(boxWidth)
        .arg(boxLeft + boxWidth / 2.0)
        .arg(word);
}

const QString fourLines = QStringLiteral("one<tbreak/>two<tbreak/>three<tbreak/>four");

} // namespace

void TestTextFit::reportsTextThatDoesNotFit_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<QString>("problem"); // empty: no problem at all

    // Four lines of 20-unit Arial need 96.3 units: 22.4 high each, 1.1 lines apart.
    QTest::newRow("four lines in room for four")
        << drawing(area(10, 10, 300, 97, fourLines)) << QString();
    QTest::newRow("four lines in room for three")
        << drawing(area(10, 10, 300, 96, fourLines)) << QStringLiteral("\"four\" is not drawn");
    QTest::newRow("blank lines take room")
        << drawing(area(10, 10, 300, 96, QStringLiteral("one<tbreak/><tbreak/>two<tbreak/>four")))
        << QStringLiteral("\"four\" is not drawn");
    QTest::newRow("long text wraps into the next line")
        << drawing(area(10, 10, 120, 50, QStringLiteral("A river begins at its source")))
        << QStringLiteral("is not drawn");
    QTest::newRow("area inside a scaled group")
        << drawing(QStringLiteral("<g transform=\"translate(10,10) scale(2)\">")
                   + area(0, 0, 150, 90, fourLines) + QStringLiteral("</g>"))
        << QStringLiteral("\"four\" is not drawn");
    QTest::newRow("label inside its box")
        << drawing(label(100, 120, QStringLiteral("tributary"))) << QString();
    QTest::newRow("label wider than its box")
        << drawing(label(100, 60, QStringLiteral("tributary")))
        << QStringLiteral("runs outside its box 100,100 60 x 30 (left by");
    QTest::newRow("box drawn after the label is not its box")
        << drawing(QStringLiteral(R"(<text x="130" y="121" font-family="Arial" )"
                                  R"(font-size="18">tributary</text>)"
                                  R"(<rect x="120" y="100" width="30" height="30"/>)"))
        << QString();
    QTest::newRow("label off the right edge")
        << drawing(QStringLiteral(R"(<text x="390" y="121" font-family="Arial" )"
                                  R"(font-size="18">tributary</text>)"))
        << QStringLiteral("runs off the picture (right by");
    QTest::newRow("area runs out of the panel drawn round it")
        << drawing(QStringLiteral(R"(<rect x="0" y="0" width="320" height="60"/>)")
                   + area(10, 10, 300, 97, fourLines))
        << QStringLiteral("runs outside its box 0,0 320 x 60 (bottom by");
}

void TestTextFit::reportsTextThatDoesNotFit()
{
    QFETCH(QString, svg);
    QFETCH(QString, problem);
    QString error;
    const QStringList problems = TextFit::check(svg, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (problem.isEmpty()) {
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    } else {
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(problem), qPrintable(problems.first()));
    }
}

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
