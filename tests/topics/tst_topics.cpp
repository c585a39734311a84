#include "scene.h"
#include "topicreader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A school's own topic folders: a home of the test's own, no system folders.
class SchoolTopics
{
public:
    SchoolTopics()
        : m_home(qgetenv("HOME"))
        , m_dataDirs(qgetenv("XDG_DATA_DIRS"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_dir.filePath(u"system"_s).toLocal8Bit());
    }
    ~SchoolTopics()
    {
        qputenv("HOME", m_home);
        qputenv("XDG_DATA_DIRS", m_dataDirs);
        forget();
    }

    // Copies the built-in topic's four files into the school's folder of that topic.
    QString copy(const QString &topic)
    {
        const QString from = TemporaryMedia::builtMedia() + u"/topics/"_s + topic;
        const QString to = folder(topic);
        QDir().mkpath(to);
        for (const QString &file : QDir(from).entryList(QDir::Files))
            QFile::copy(from + u'/' + file, to + u'/' + file);
        forget();
        return to;
    }

    // Replaces the first line of file that starts with what by with (or removes it).
    void edit(const QString &topic, const QString &file, const QString &what, const QString &with)
    {
        QFile f(folder(topic) + u'/' + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        f.close();
        const qsizetype at = text.indexOf(u'\n' + what);
        QVERIFY2(at >= 0, qPrintable(what));
        const qsizetype end = text.indexOf(u'\n', at + 1);
        text.replace(at + 1, end - at - 1, with);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

    static QString folder(const QString &topic)
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + u"/ondel/topics/"_s + topic;
    }

    // The program looks for the folders afresh.
    static void forget() { MediaPath::setRoot(MediaPath::root()); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_dataDirs;
};

Form *mainMenu()
{
    shown(Titlefrm.get());
    TestUtil::click(Titlefrm->Command1);
    TestUtil::processEvents();
    return shown(intro0.get());
}

int menuIndex(const QString &caption)
{
    for (auto [index, entry] : intro0->Label2)
        if (entry->caption() == caption)
            return index;
    return -1;
}

} // namespace

class TopicsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void everyTopicOpensShowsItsPagesAndScoresFullMarks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("folder");
        const char *topics[][2] = {
            { "The Water Cycle", "watercycle" },
            { "Rivers 1", "rivers1" },
            { "Rivers 2", "rivers2" },
            { "Precipitation", "precipitation" },
            { "Flooding", "flooding" },
            { "Water for Life", "waterforlife" },
            { "Access to Water", "accesstowater" },
            { "Water Supply 1", "watersupply1" },
            { "Water Supply 2", "watersupply2" },
            { "Irrigation", "irrigation" },
        };
        for (const auto &[caption, folder] : topics)
            QTest::newRow(caption) << QString::fromLatin1(caption) << QString::fromLatin1(folder);
    }

    void everyTopicOpensShowsItsPagesAndScoresFullMarks()
    {
        QFETCH(QString, caption);
        QFETCH(QString, folder);
        Scene s;
        mainMenu();
        const int entry = menuIndex(caption);
        QVERIFY(intro0->Label2[entry]->isEnabled());
        TestUtil::click(intro0->Label2[entry]);
        TestUtil::processEvents();
        QVERIFY(s.sound.played().contains(clickSound));
        TopicMenu *menu = topicMenus()[folder].get();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const TopicDef &def = menu->content();
        QCOMPARE(menu->Label1->caption(), def.title);
        QVERIFY(!menu->Image1->picture().isNull());
        QCOMPARE(menu->Image1->left(), (12000 - menu->Image1->width()) / 2);
        TestUtil::grabScreenshot(menu, folder + u"-menu"_s);

        // Key facts and notes: every page of the set, in order, and back to the menu.
        for (const auto &[button, set] :
             { std::pair(4, def.keyFacts), std::pair(5, def.teachersNotes) }) {
            TestUtil::click(menu->label3[button]);
            QVERIFY(QTest::qWaitForWindowExposed(teacher.get()));
            for (int page = 1; page <= set.total; ++page) {
                QVERIFY2(!teacher->Image1->picture().isNull(), qPrintable(set.name));
                QCOMPARE(teacher->Label1->visible(), set.total > 1);
                TestUtil::grabScreenshot(teacher.get(),
                                         u"%1-%2-%3"_s.arg(folder, set.name).arg(page));
                if (page < set.total)
                    TestUtil::click(teacher->label3[2]);
            }
            TestUtil::click(teacher->label3[1]);
            TestUtil::processEvents();
        }

        // The quiz: ten questions of the topic's worksheet, all answered right.
        TestUtil::click(menu->label3[0]);
        QVERIFY(QTest::qWaitForWindowExposed(multiple.get()));
        QCOMPARE(multiple->Label4->caption(), u"Question 1"_s);
        QVERIFY(!multiple->Picture1->picture().isNull());
        TestUtil::grabScreenshot(multiple.get(), folder + u"-quiz"_s);
        answerQuiz({});
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 10 out of 10."_s);
        TestUtil::click(Welldone->label3[1]);
        TestUtil::processEvents();

        // Both activities (tst_activityscreens plays them), under the topic's activity title.
        for (const auto &[button, kind] : { std::pair(1, u"lab"_s), std::pair(3, u"ord"_s) }) {
            TestUtil::click(menu->label3[button]);
            ActivityScreen *activity = activityScreens()[folder + kind].get();
            QVERIFY(QTest::qWaitForWindowExposed(activity));
            QCOMPARE(activity->Label6->caption(), def.activityTitle);
            TestUtil::grabScreenshot(activity, folder + u'-' + kind);
            TestUtil::click(activity->label3[0]);
            TestUtil::processEvents();
        }
        TestUtil::click(menu->label3[2]);
        TestUtil::processEvents();
        QVERIFY(!topicMenus()[folder].isLoaded());
        QVERIFY(intro0->isVisible());
    }

    void faultyTopicFileDisablesItsTopicAlone_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing field")
            << u"topic.ini"_s << u"quiz picture"_s << QString()
            << u"topic.ini: line 2, \\[topic\\] quiz picture: the field is missing"_s;
        QTest::newRow("box off the screen")
            << u"ordering.ini"_s << u"box = 960, 3570"_s << u"box = 10500, 3570"_s
            << u"ordering.ini: line \\d+, \\[box 3\\] box: the box lies outside the screen"_s;
        QTest::newRow("box out of reach")
            << u"ordering.ini"_s << u"box = 960, 3570"_s << u"box = 5500, 3800"_s
            << u"\\[box \\d\\] box: the box \\d lies within reach of the box \\d"_s;
        QTest::newRow("missing picture")
            << u"labelling.ini"_s << u"file = "_s << u"file = Images\\nowhere.jpg"_s
            << u"labelling.ini: line \\d+, \\[picture 0\\] file: the file \"Images\\\\nowhere.jpg\" is missing"_s;
        QTest::newRow("word count")
            << u"ordering.ini"_s << u"words = 6"_s << u"words = 5"_s
            << u"\\[activity\\] words: it says 5 words but the file has 6"_s;
        QTest::newRow("not a number") << u"labelling.ini"_s << u"item width"_s
                                      << u"item width = wide"_s << u"\"wide\" is not a number"_s;
        QTest::newRow("unknown field")
            << u"topic.ini"_s << u"notes pages"_s << u"notes pages = 1\nnotes page = 2"_s
            << u"\\[topic\\] notes page: there is no such field here"_s;
        QTest::newRow("damaged worksheet") << u"worksheet.txt"_s << u"What"_s << u"3"_s
                                           << u"worksheet.txt: the worksheet is damaged"_s;
    }

    void faultyTopicFileDisablesItsTopicAlone()
    {
        QFETCH(QString, file);
        QFETCH(QString, line);
        QFETCH(QString, replacement);
        QFETCH(QString, fault);
        Scene s;
        SchoolTopics school;
        school.copy(u"rivers2"_s);
        if (file == u"worksheet.txt"_s) {
            // Cut after question 3: less than a whole worksheet.
            QFile sheet(school.folder(u"rivers2"_s) + u"/worksheet.txt"_s);
            QVERIFY(sheet.open(QIODevice::ReadWrite));
            sheet.resize(400);
        } else {
            school.edit(u"rivers2"_s, file, line, replacement);
        }
        SchoolTopics::forget();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ondel: .*"_s + fault));
        mainMenu();
        QVERIFY(!intro0->Label2[6]->isEnabled());
        QVERIFY(Topics::find(u"rivers2"_s) == nullptr);
        // The rest runs on.
        QVERIFY(intro0->Label2[5]->isEnabled());
        TestUtil::click(intro0->Label2[5]);
        QVERIFY(QTest::qWaitForWindowExposed(rivers1.get()));
        QCOMPARE(rivers1->Label1->caption(), u"Rivers 1"_s);
    }

    void schoolsOwnCopyReplacesTheBuiltInTopic()
    {
        Scene s;
        SchoolTopics school;
        const QString folder = school.copy(u"rivers2"_s);
        QDir(folder).mkpath(u"images"_s);
        QImage ouse(320, 240, QImage::Format_RGB32);
        ouse.fill(Qt::darkGreen);
        QVERIFY(ouse.save(folder + u"/images/ouse.bmp"_s));
        // Its own two key-facts pages, in its own folder.
        for (const QString &copy : { u"wmf"_s, u"wmf2"_s }) {
            QDir(folder).mkpath(copy);
            for (const QString &page : { u"a"_s, u"b"_s })
                QVERIFY(
                    QFile::copy(TemporaryMedia::builtMedia() + u'/' + copy + u"/key rivers 1.wmf"_s,
                                folder + u'/' + copy + u"/key ouse"_s + page + u".wmf"_s));
        }
        school.edit(u"rivers2"_s, u"topic.ini"_s, u"title"_s, u"title = The River Ouse"_s);
        school.edit(u"rivers2"_s, u"topic.ini"_s, u"picture"_s, u"picture = images/ouse.bmp"_s);
        school.edit(u"rivers2"_s, u"topic.ini"_s, u"key facts ="_s, u"key facts = key ouse"_s);
        SchoolTopics::forget();

        mainMenu();
        TestUtil::click(intro0->Label2[6]);
        QVERIFY(QTest::qWaitForWindowExposed(rivers2.get()));
        QCOMPARE(rivers2->Label1->caption(), u"The River Ouse"_s);
        QCOMPARE(rivers2->Image1->picture().sourcePath(), u"topics/rivers2/images/ouse.bmp"_s);
        QCOMPARE(rivers2->Image1->picture().image().pixelColor(10, 10), QColor(Qt::darkGreen));
        // The quiz picture was left as the program's own.
        TestUtil::click(rivers2->label3[4]);
        QCOMPARE(teacher->Image1->picture().sourcePath(), u"topics/rivers2/wmf\\key ousea.wmf"_s);
        TestUtil::click(teacher->label3[2]);
        QCOMPARE(teacher->Image1->picture().sourcePath(), u"topics/rivers2/wmf\\key ouseb.wmf"_s);
        QCOMPARE(teacher->Image2->picture().sourcePath(), u"topics/rivers2/wmf2\\key ouseb.wmf"_s);
        QVERIFY(!teacher->Image2->picture().isNull());
        TestUtil::click(teacher->label3[1]);
        // Taking it away brings the built-in topic back.
        unloadScreens();
        QVERIFY(QDir(folder).removeRecursively());
        SchoolTopics::forget();
        QCOMPARE(Topics::find(u"rivers2"_s)->title, u"Rivers 2"_s);
    }
};

QTEST_MAIN(TopicsTest)
#include "tst_topics.moc"
