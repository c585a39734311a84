#include "testutil.h"
#include "topics.h"
#include "worksheetfiles.h"

#include <QFontMetricsF>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

WorksheetDraft worksheetOf(const TopicDef &topic)
{
    QFile file(MediaPath::resolve(topic.worksheet));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return WorksheetFiles::readDraft(file.readAll());
}

// The width and height a text takes in a font, wrapped at width twips when wrap is set.
QSizeF textSize(const QString &text, const QString &family, double points, bool bold,
                double width = 1e6)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    const QRectF box = QFontMetricsF(font).boundingRect(QRectF(0, 0, width / Twips::perPixel, 1e6),
                                                        Qt::TextWordWrap | Qt::AlignCenter, text);
    return box.size() * Twips::perPixel;
}

// A line fits the width less the borders; a wrapped text fits the height too.
bool fits(const QString &text, const QString &family, double points, bool bold, double width,
          double height = 0)
{
    const double usable = width - 4 * Twips::perPixel;
    if (height <= 0)
        return textSize(text, family, points, bold).width() <= usable;
    return textSize(text, family, points, bold, usable).height() <= height;
}

// A question as a teacher would compare it: words only.
QString plain(const QString &question)
{
    QString words;
    for (const QChar c : question.toLower())
        if (c.isLetterOrNumber() || c == u' ')
            words += c;
    return words.simplified();
}

} // namespace

class TopicContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        TestUtil::initialise();
        MediaPath::setRoot(TemporaryMedia::builtMedia());
    }

    void quizzesHaveOneRightAnswerSpreadOverAToDAndNoQuestionTwice()
    {
        QHash<QString, QString> asked; // plain question -> where first asked
        for (const QString &name : Topics::names()) {
            const TopicDef *topic = Topics::find(name);
            if (!topic)
                continue;
            const WorksheetDraft sheet = worksheetOf(*topic);
            int letters[4] = {};
            QString order;
            for (int q = 0; q < 10; ++q) {
                int ticks = 0;
                for (int k = 0; k < 4; ++k) {
                    if (sheet.ticks[size_t(4 * q + k)]) {
                        ++ticks;
                        ++letters[k];
                        order += QChar(u'A' + k);
                    }
                }
                QCOMPARE(ticks, 1);
                const QString question = plain(sheet.questions[size_t(q)]);
                QVERIFY2(!asked.contains(question),
                         qPrintable(u"%1 question %2 repeats %3"_s.arg(name).arg(q + 1).arg(
                             asked.value(question))));
                asked.insert(question, u"%1 question %2"_s.arg(name).arg(q + 1));
            }
            for (int k = 0; k < 4; ++k)
                QVERIFY2(letters[k] >= 2 && letters[k] <= 3,
                         qPrintable(u"%1: the right answers go %2"_s.arg(name, order)));
            for (const QString &run : { u"AAA"_s, u"BBB"_s, u"CCC"_s, u"DDD"_s })
                QVERIFY2(!order.contains(run),
                         qPrintable(u"%1: the right answers go %2"_s.arg(name, order)));
        }
    }

    void everyTextFitsItsPlace()
    {
        const QString serif = u"Times New Roman"_s;
        const QString tahoma = u"Tahoma"_s;
        QStringList misfits;
        const auto check = [&misfits](bool ok, const QString &what) {
            if (!ok)
                misfits << what;
        };
        for (const QString &name : Topics::names()) {
            const TopicDef *topic = Topics::find(name);
            if (!topic)
                continue;
            check(fits(topic->title, serif, 27.75, true, 6240), name + u": the menu's title"_s);
            const WorksheetDraft sheet = worksheetOf(*topic);
            check(fits(sheet.title, serif, 24, false, 6465), name + u": the quiz's title"_s);
            for (int q = 0; q < 10; ++q) {
                check(fits(sheet.questions[size_t(q)], serif, 30, false, 9840, 1455),
                      name + u": question %1"_s.arg(q + 1));
                for (int k = 0; k < 4; ++k)
                    // The round button takes the start of the answer's row.
                    check(fits(sheet.answers[size_t(4 * q + k)], serif, 20.25, false, 6975 - 360),
                          name + u": question %1, answer %2"_s.arg(q + 1).arg(QChar(u'A' + k)));
            }
            for (const ActivityDef *activity : { &topic->labelling, &topic->ordering }) {
                const QString title = activity->titleSource == TitleSource::Design
                    ? activity->title
                    : topic->activityTitle;
                check(fits(title, serif, 24, false, activity->titleRect.width),
                      activity->screenName + u": the title"_s);
                check(fits(u"Drag the labels into the correct boxes."_s, tahoma, 12, true,
                           activity->instructionRect.width, activity->instructionRect.height),
                      activity->screenName + u": the instruction"_s);
                for (const TextDef &text : activity->texts)
                    check(fits(text.caption, text.fontName, text.points, false, text.rect.width,
                               text.rect.height),
                          activity->screenName + u": "_s + text.caption);
                for (const BoxDef &box : activity->boxes)
                    check(fits(box.word, tahoma, 9.75, true, activity->itemWidth),
                          activity->screenName + u": "_s + box.word);
            }
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(u"too long: "_s + misfits.join(u"; "_s)));
    }
};

QTEST_MAIN(TopicContentTest)
#include "tst_topiccontent.moc"
