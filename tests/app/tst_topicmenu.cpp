#include "appfixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

TopicMenu *topicMenu(int topic)
{
    return topic == 1 ? static_cast<TopicMenu *>(rivers1.get()) : rivers2.get();
}

TopicMenu *showTopicMenu(int topic)
{
    TopicMenu *menu = topicMenu(topic);
    menu->show();
    return QTest::qWaitForWindowExposed(menu) ? menu : nullptr;
}

QList<int> litEntries(const TopicMenu *menu)
{
    QList<int> lit;
    for (const auto &[index, label] : menu->label3) {
        if (label->backStyle() == BackStyle::Opaque)
            lit << index;
    }
    return lit;
}

// Between the picture and the entries at the bottom, where no control lies.
const QPoint bareForm(400, 400);

} // namespace

class TopicMenuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void cleanup() { AppFixture::unloadScreens(); }

    void eachTopicShowsItsTitlePictureAndEntries_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("picture");
        QTest::newRow("rivers1") << 1 << u"Rivers 1"_s << u"Images\\rivers1.jpg"_s;
        QTest::newRow("rivers2") << 2 << u"Rivers 2"_s << u"Images\\rivers2.jpg"_s;
    }

    void eachTopicShowsItsTitlePictureAndEntries()
    {
        QFETCH(int, topic);
        QFETCH(QString, title);
        QFETCH(QString, picture);
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);
        TopicMenu *menu = showTopicMenu(topic);
        QVERIFY(menu);

        QCOMPARE(menu->Label1->caption(), title);
        QCOMPARE(menu->Image1->picture().sourcePath(), picture);
        QVERIFY(!menu->Image1->picture().isNull());

        const QMap<int, QString> captions {
            { 0, u"Multiple Choice"_s },
            { 1, u"Labelling Activity"_s },
            { 2, u"Exit"_s },
            { 3, u"Ordering Activity"_s },
            { 4, u"Key Facts"_s },
            { 5, u"Teacher's Notes"_s },
        };
        QCOMPARE(menu->label3.count(), 6);
        for (const auto &[index, label] : menu->label3) {
            QCOMPARE(label->caption(), captions.value(index));
            QVERIFY(label->isEnabled());
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->caption())
                         <= label->geometry().width() - 4,
                     qPrintable(label->caption()));
        }
        QCOMPARE(litEntries(menu), QList<int>({ 0, 1, 2, 3, 4, 5 }));

        const QString file = TestUtil::grabScreenshot(menu, u"topicmenu_rivers%1"_s.arg(topic));
        QVERIFY(!file.isEmpty());
        const QImage shot(file);
        QCOMPARE(shot.size(), QSize(800, 600));
        QCOMPARE(shot.pixelColor(bareForm), QColor(0, 78, 152));
    }

    void pictureIsCentredByItsLoadedWidth_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("width");
        QTest::newRow("narrow") << QSize(200, 100) << 4500.0 << 3000.0;
        QTest::newRow("wide") << QSize(700, 200) << 750.0 << 10500.0;
        QTest::newRow("missing") << QSize() << 3600.0 << 4800.0;
    }

    void pictureIsCentredByItsLoadedWidth()
    {
        QFETCH(QSize, pixels);
        QFETCH(double, left);
        QFETCH(double, width);
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        if (pixels.isValid())
            QVERIFY(AppFixture::writePicture(media, u"images/rivers2.jpg"_s, pixels));
        TopicMenu *menu = rivers2.get();
        QCOMPARE(menu->Image1->left(), left);
        QCOMPARE(menu->Image1->width(), width);
        QCOMPARE(menu->Image1->top(), 1080.0);
    }

    void entriesStayLitUntilThePointerCrossesTheBareForm()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);
        TopicMenu *menu = showTopicMenu(1);
        QVERIFY(menu);
        QCOMPARE(litEntries(menu), QList<int>({ 0, 1, 2, 3, 4, 5 }));

        QTest::mouseMove(menu->windowHandle(), bareForm);
        QVERIFY(litEntries(menu).isEmpty());
        TestUtil::mouseMove(menu->label3[4]);
        QCOMPARE(litEntries(menu), QList<int> { 4 });
        TestUtil::mouseMove(menu->Image1);
        TestUtil::mouseMove(menu->Label1);
        TestUtil::mouseMove(menu->label3[3]);
        QCOMPARE(litEntries(menu), QList<int>({ 3, 4 }));
        QTest::mouseMove(menu->windowHandle(), bareForm);
        QVERIFY(litEntries(menu).isEmpty());

        // The keyboard lights an entry as the pointer does.
        menu->label3[2]->setFocus(Qt::TabFocusReason);
        QCOMPARE(litEntries(menu), QList<int> { 2 });
    }
};

QTEST_MAIN(TopicMenuTest)
#include "tst_topicmenu.moc"
