#include "topicreader.h"

#include "inifile.h"
#include "mediapath.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <cmath>

namespace {

constexpr float screenWidth = 12000;
constexpr float screenHeight = 9000;
constexpr int largestFile = 1 << 20;

const QStringList fonts { QStringLiteral("Times New Roman"), QStringLiteral("Tahoma"),
                          QStringLiteral("Arial") };

// One of a topic's files on disk, read whole.
class TopicFile
{
public:
    TopicFile(const QString &topic, const QString &fileName)
        : m_path(QDir(MediaPath::topicFolder(topic)).filePath(fileName))
    { }

    const QString &path() const { return m_path; }

    [[noreturn]] void fault(int line, const QString &field, const QString &problem) const
    {
        throw TopicFault { QDir::toNativeSeparators(m_path), line, field, problem };
    }

    QByteArray readAll() const
    {
        QFile file(m_path);
        if (!file.exists())
            fault(0, {}, QStringLiteral("the file is missing"));
        if (!file.open(QIODevice::ReadOnly))
            fault(0, {}, QStringLiteral("the file cannot be read: ") + file.errorString());
        if (file.size() > largestFile)
            fault(0, {}, QStringLiteral("the file is too large to be a topic file"));
        return file.readAll();
    }

    IniFile readIni() const
    {
        IniFile ini;
        if (!ini.parse(readAll()))
            fault(ini.problemLine(), {}, ini.problem());
        return ini;
    }

private:
    QString m_path;
};

// A media path written in a topic file: the topic's own folder first, then the program's
// media. Empty when neither holds the file.
QString findMedia(const QString &topic, const QString &written)
{
    for (const QString &candidate :
         { QStringLiteral("topics/") + topic + u'/' + written, written }) {
        if (QFileInfo(MediaPath::resolve(candidate)).isFile())
            return candidate;
    }
    return {};
}

// The fields of one section, each taken once; finish() refuses any left over.
class Fields
{
public:
    Fields(const TopicFile &file, const IniFile::Section &section, QString topic)
        : m_file(file)
        , m_section(section)
        , m_topic(std::move(topic))
    { }

    [[noreturn]] void fault(const QString &key, const QString &problem) const
    {
        const IniFile::Field *field = m_section.field(key);
        m_file.fault(field ? field->line : m_section.line, label(key), problem);
    }

    bool has(const QString &key) const { return m_section.field(key) != nullptr; }

    QString text(const QString &key, int least, int most)
    {
        const QString value = take(key);
        if (value.size() < least)
            fault(key,
                  least == 1 ? QStringLiteral("it is empty")
                             : QStringLiteral("it is shorter than %1 characters").arg(least));
        if (value.size() > most)
            fault(key,
                  QStringLiteral("it is %1 characters long; at most %2 fit")
                      .arg(value.size())
                      .arg(most));
        return value;
    }

    double number(const QString &key, double least, double most)
    {
        const QString value = take(key);
        bool ok = false;
        const double n = value.toDouble(&ok);
        if (!ok || !std::isfinite(n))
            fault(key, QStringLiteral("\"%1\" is not a number").arg(value));
        if (n < least || n > most)
            fault(key,
                  QStringLiteral("%1 is not between %2 and %3").arg(value).arg(least).arg(most));
        return n;
    }

    int whole(const QString &key, int least, int most)
    {
        const QString value = m_section.field(key) ? m_section.field(key)->value : QString();
        const double n = number(key, least, most);
        if (n != std::floor(n))
            fault(key, QStringLiteral("%1 is not a whole number").arg(value));
        return static_cast<int>(n);
    }

    // Numbers separated by commas, each within the screen's twips.
    std::vector<float> numbers(const QString &key, int count)
    {
        const QString value = take(key);
        const QStringList parts = value.split(u',');
        if (parts.size() != count)
            fault(key, QStringLiteral("it needs %1 numbers separated by commas").arg(count));
        std::vector<float> result;
        for (const QString &part : parts) {
            bool ok = false;
            const double n = part.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(n))
                fault(key, QStringLiteral("\"%1\" is not a number").arg(part.trimmed()));
            if (std::abs(n) > 100000)
                fault(key, QStringLiteral("%1 is far outside the screen").arg(part.trimmed()));
            result.push_back(static_cast<float>(n));
        }
        return result;
    }

    // Left, top, width and height, wholly on the screen.
    TwipsRect place(const QString &key)
    {
        const std::vector<float> n = numbers(key, 4);
        const TwipsRect rect { n[0], n[1], n[2], n[3] };
        if (rect.width <= 0 || rect.height <= 0)
            fault(key, QStringLiteral("its width and height must be more than 0"));
        requireOnScreen(key, rect, QStringLiteral("it"));
        return rect;
    }

    // Left and top of something width x height that must lie wholly on the screen.
    TwipsRect corner(const QString &key, float width, float height, const QString &what)
    {
        const std::vector<float> n = numbers(key, 2);
        const TwipsRect rect { n[0], n[1], width, height };
        requireOnScreen(key, rect, what);
        return rect;
    }

    Rgb colour(const QString &key)
    {
        const std::vector<float> n = numbers(key, 3);
        for (float part : n) {
            if (part < 0 || part > 255 || part != std::floor(part))
                fault(key, QStringLiteral("a colour is three whole numbers from 0 to 255"));
        }
        return { int(n[0]), int(n[1]), int(n[2]) };
    }

    int choice(const QString &key, const QStringList &choices)
    {
        const QString value = take(key);
        const qsizetype found = choices.indexOf(value);
        if (found < 0)
            fault(key, QStringLiteral("\"%1\" is not one of: %2").arg(value, choices.join(u", ")));
        return int(found);
    }

    // A picture or page that must exist, as a media path.
    QString media(const QString &key)
    {
        const QString written = text(key, 1, 200);
        const QString found = findMedia(m_topic, written);
        if (found.isEmpty())
            fault(key, QStringLiteral("the file \"%1\" is missing").arg(written));
        return found;
    }

    // A name that becomes part of a file name.
    QString pageSetName(const QString &key)
    {
        const QString name = text(key, 1, 60);
        if (name.contains(u'/') || name.contains(u'\\') || name.startsWith(u'.'))
            fault(key,
                  QStringLiteral("a page set's name cannot hold \"/\" or \"\\\" or start "
                                 "with \".\""));
        return name;
    }

    void finish() const
    {
        for (const IniFile::Field &field : m_section.fields) {
            if (!m_used.contains(field.key))
                m_file.fault(field.line, label(field.key),
                             QStringLiteral("there is no such field here"));
        }
    }

private:
    QString label(const QString &key) const
    {
        return QStringLiteral("[%1] %2").arg(m_section.name, key);
    }

    QString take(const QString &key)
    {
        const IniFile::Field *field = m_section.field(key);
        if (!field)
            m_file.fault(m_section.line, label(key), QStringLiteral("the field is missing"));
        m_used += key;
        return field->value;
    }

    void requireOnScreen(const QString &key, const TwipsRect &rect, const QString &what) const
    {
        if (rect.left < 0 || rect.top < 0 || rect.left + rect.width > screenWidth
            || rect.top + rect.height > screenHeight)
            fault(key, QStringLiteral("%1 lies outside the screen (12000 x 9000 twips)").arg(what));
    }

    const TopicFile &m_file;
    const IniFile::Section &m_section;
    QString m_topic;
    QStringList m_used;
};

// The sections of an activity file by kind: "activity" alone, and "box 0", "box 1", ... in
// number order, numbered from 0 without gaps.
struct ActivitySections
{
    const IniFile::Section *activity = nullptr;
    QMap<QString, std::vector<const IniFile::Section *>> numbered;
};

ActivitySections sortSections(const TopicFile &file, const IniFile &ini)
{
    static const QStringList kinds { QStringLiteral("picture"), QStringLiteral("line"),
                                     QStringLiteral("text"), QStringLiteral("box") };
    ActivitySections result;
    QMap<QString, QMap<int, const IniFile::Section *>> byNumber;
    for (const IniFile::Section &section : ini.sections()) {
        if (section.name == QStringLiteral("activity")) {
            result.activity = &section;
            continue;
        }
        const QStringList words = section.name.split(u' ');
        bool ok = false;
        const int number = words.size() == 2 ? words[1].toInt(&ok) : -1;
        if (!kinds.contains(words.first()) || !ok || number < 0 || number > 99)
            file.fault(section.line, QStringLiteral("[%1]").arg(section.name),
                       QStringLiteral("there is no such section; the sections are [activity], "
                                      "[picture n], [line n], [text n] and [box n]"));
        byNumber[words.first()][number] = &section;
    }
    if (!result.activity)
        file.fault(0, QStringLiteral("[activity]"), QStringLiteral("the section is missing"));
    for (auto kind = byNumber.cbegin(); kind != byNumber.cend(); ++kind) {
        int expected = 0;
        for (auto it = kind.value().cbegin(); it != kind.value().cend(); ++it, ++expected) {
            if (it.key() != expected)
                file.fault(it.value()->line, QStringLiteral("[%1]").arg(it.value()->name),
                           QStringLiteral("[%1 %2] is missing: sections are numbered from 0 "
                                          "without gaps")
                               .arg(kind.key())
                               .arg(expected));
            result.numbered[kind.key()].push_back(it.value());
        }
    }
    return result;
}

// Every box and start place can be reached: none has its corner in another's drop zone,
// where a drop meant for it would land first.
void requireReachable(const TopicFile &file, const IniFile &ini, const ActivityDef &def)
{
    struct Target
    {
        TwipsRect rect;
        QString what;
        int box;
    };
    std::vector<Target> targets;
    const float height = ActivityDef::itemHeight;
    for (int i = 0; i < def.count(); ++i) {
        const BoxDef &b = def.boxes[size_t(i)];
        targets.push_back(
            { { b.boxLeft, b.boxTop, def.itemWidth, height }, QStringLiteral("box %1").arg(i), i });
        targets.push_back({ { b.wordLeft, b.wordTop, def.itemWidth, height },
                            QStringLiteral("start place %1").arg(i),
                            i });
    }
    for (const Target &target : targets) {
        for (const Target &other : targets) {
            if (&target == &other
                || !TopicReader::inDropZone(other.rect, target.rect.left, target.rect.top))
                continue;
            const QString section = QStringLiteral("box %1").arg(target.box);
            const IniFile::Section *s = ini.section(section);
            const bool isBox = target.what.startsWith(u'b');
            const IniFile::Field *field
                = s ? s->field(isBox ? QStringLiteral("box") : QStringLiteral("start")) : nullptr;
            file.fault(field ? field->line : 0,
                       QStringLiteral("[%1] %2").arg(section, isBox ? u"box" : u"start"),
                       QStringLiteral("the %1 lies within reach of the %2, so a word dropped "
                                      "on it would go there: move them further apart")
                           .arg(target.what, other.what));
        }
    }
}

ActivityDef readActivity(const QString &topic, const QString &fileName, const QString &suffix)
{
    const TopicFile file(topic, fileName);
    const IniFile ini = file.readIni();
    const ActivitySections sections = sortSections(file, ini);

    ActivityDef def;
    def.screenName = topic + suffix;
    Fields activity(file, *sections.activity, topic);
    const int words = activity.whole(QStringLiteral("words"), 4, 6);
    def.titleSource = TitleSource(activity.choice(
        QStringLiteral("title source"),
        { QStringLiteral("design"), QStringLiteral("load"), QStringLiteral("menu") }));
    def.title = activity.text(QStringLiteral("title"),
                              def.titleSource == TitleSource::TopicMenu ? 0 : 1, 40);
    def.titleRect = activity.place(QStringLiteral("title place"));
    def.instructionRect = activity.place(QStringLiteral("instruction place"));
    def.itemWidth = float(activity.number(QStringLiteral("item width"), 600, 3000));
    def.boxStyle = BoxStyle(activity.choice(
        QStringLiteral("box style"), { QStringLiteral("transparent"), QStringLiteral("blue") }));

    const auto numbered
        = [&](const char *kind) { return sections.numbered.value(QString::fromLatin1(kind)); };
    for (const IniFile::Section *section : numbered("picture")) {
        Fields fields(file, *section, topic);
        def.pictures.push_back({ int(def.pictures.size()), fields.media(QStringLiteral("file")),
                                 fields.place(QStringLiteral("place")) });
        fields.finish();
    }
    for (const IniFile::Section *section : numbered("line")) {
        Fields fields(file, *section, topic);
        LineDef line;
        line.name = fields.has(QStringLiteral("name"))
            ? fields.text(QStringLiteral("name"), 1, 40)
            : QStringLiteral("Line%1").arg(def.lines.size() + 1);
        const TwipsRect from = fields.corner(QStringLiteral("from"), 0, 0, QStringLiteral("it"));
        const TwipsRect to = fields.corner(QStringLiteral("to"), 0, 0, QStringLiteral("it"));
        line.x1 = from.left;
        line.y1 = from.top;
        line.x2 = to.left;
        line.y2 = to.top;
        line.colour = fields.colour(QStringLiteral("colour"));
        line.pixels = fields.whole(QStringLiteral("width"), 1, 10);
        fields.finish();
        def.lines.push_back(line);
    }
    for (const IniFile::Section *section : numbered("text")) {
        Fields fields(file, *section, topic);
        TextDef text;
        text.name = fields.has(QStringLiteral("name")) ? fields.text(QStringLiteral("name"), 1, 40)
                                                       : QStringLiteral("Label5");
        if (fields.has(QStringLiteral("element")))
            text.index = fields.whole(QStringLiteral("element"), 0, 99);
        text.caption = fields.text(QStringLiteral("caption"), 1, 100);
        text.rect = fields.place(QStringLiteral("place"));
        text.fontName = fonts.value(fields.choice(QStringLiteral("font"), fonts));
        text.points = float(fields.number(QStringLiteral("size"), 8, 40));
        text.colour = fields.colour(QStringLiteral("colour"));
        fields.finish();
        def.texts.push_back(text);
    }
    const auto boxes = numbered("box");
    if (int(boxes.size()) != words)
        activity.fault(QStringLiteral("words"),
                       QStringLiteral("it says %1 words but the file has %2 [box] sections")
                           .arg(words)
                           .arg(boxes.size()));
    for (const IniFile::Section *section : boxes) {
        Fields fields(file, *section, topic);
        BoxDef box;
        box.word = fields.text(QStringLiteral("word"), 1, 20);
        const TwipsRect at = fields.corner(QStringLiteral("box"), def.itemWidth,
                                           ActivityDef::itemHeight, QStringLiteral("the box"));
        const TwipsRect start = fields.corner(QStringLiteral("start"), def.itemWidth,
                                              ActivityDef::itemHeight, QStringLiteral("the word"));
        box.boxLeft = at.left;
        box.boxTop = at.top;
        box.wordLeft = start.left;
        box.wordTop = start.top;
        fields.finish();
        def.boxes.push_back(box);
    }
    activity.finish();
    requireReachable(file, ini, def);
    return def;
}

TopicPageSet readPageSet(const QString &topic, Fields &fields, const QString &key)
{
    TopicPageSet set;
    set.name = fields.pageSetName(key);
    set.total = fields.whole(key + QStringLiteral(" pages"), 1, 3);
    // The pages lie together, in the topic's own folder or among the program's media.
    const QString own = QStringLiteral("topics/") + topic + u'/';
    set.folder
        = QFileInfo(MediaPath::resolve(own + QStringLiteral("wmf/") + set.firstPage())).isFile()
        ? own
        : QString();
    for (int page = 1; page <= set.total; ++page) {
        const QString file = set.total == 1
            ? set.firstPage()
            : set.name + QChar(u'a' + page - 1) + QStringLiteral(".wmf");
        for (const QString &copy : { QStringLiteral("wmf/"), QStringLiteral("wmf2/") }) {
            if (!QFileInfo(MediaPath::resolve(set.folder + copy + file)).isFile())
                fields.fault(key, QStringLiteral("the page \"%1\" is missing").arg(copy + file));
        }
    }
    return set;
}

// The built-in worksheet is whole, and every text fits the quiz screen as the wizard's boxes
// would let it.
void checkWorksheet(const TopicFile &file)
{
    WorksheetDraft draft;
    try {
        draft = WorksheetFiles::readDraft(file.readAll());
    } catch (const WorksheetFileError &error) {
        file.fault(0, {}, QStringLiteral("the worksheet is damaged: ") + error.message());
    }
    const auto check = [&file](const QString &text, const QString &what, int most) {
        if (text.trimmed().isEmpty())
            file.fault(0, what, QStringLiteral("it is empty"));
        if (text.size() > most)
            file.fault(0, what,
                       QStringLiteral("it is %1 characters long; at most %2 fit")
                           .arg(text.size())
                           .arg(most));
    };
    check(draft.title, QStringLiteral("the title"), 40);
    for (int q = 0; q < 10; ++q) {
        check(draft.questions[size_t(q)], QStringLiteral("question %1").arg(q + 1),
              WorksheetDraft::questionMaxLength);
        for (int k = 0; k < 4; ++k)
            check(draft.answers[size_t(4 * q + k)],
                  QStringLiteral("question %1, answer %2").arg(q + 1).arg(QChar(u'A' + k)),
                  WorksheetDraft::answerMaxLength);
    }
}

} // namespace

namespace TopicReader {

bool inDropZone(const TwipsRect &target, float left, float top)
{
    return target.left - target.width / 2 < left && left < target.left + target.width
        && target.top - target.height / 2 < top && top < target.top + target.height;
}

TopicDef read(const QString &name)
{
    TopicDef topic;
    topic.name = name;
    if (!QFileInfo(MediaPath::topicFolder(name)).isDir())
        throw TopicFault { QDir::toNativeSeparators(MediaPath::topicFolder(name)),
                           0,
                           {},
                           QStringLiteral("the topic's folder is missing") };

    const TopicFile file(name, QStringLiteral("topic.ini"));
    const IniFile ini = file.readIni();
    for (const IniFile::Section &section : ini.sections()) {
        if (section.name != QStringLiteral("topic"))
            file.fault(section.line, QStringLiteral("[%1]").arg(section.name),
                       QStringLiteral("there is no such section; topic.ini has only [topic]"));
    }
    const IniFile::Section *section = ini.section(QStringLiteral("topic"));
    if (!section)
        file.fault(0, QStringLiteral("[topic]"), QStringLiteral("the section is missing"));
    Fields fields(file, *section, name);
    topic.title = fields.text(QStringLiteral("title"), 1, 30);
    topic.picture = fields.media(QStringLiteral("picture"));
    topic.quizPicture = fields.media(QStringLiteral("quiz picture"));
    topic.activityTitle = fields.text(QStringLiteral("activity title"), 1, 40);
    topic.keyFacts = readPageSet(name, fields, QStringLiteral("key facts"));
    topic.teachersNotes = readPageSet(name, fields, QStringLiteral("notes"));
    fields.finish();

    checkWorksheet(TopicFile(name, QStringLiteral("worksheet.txt")));
    topic.worksheet = QStringLiteral("topics/") + name + QStringLiteral("/worksheet.txt");

    topic.labelling = readActivity(name, QStringLiteral("labelling.ini"), QStringLiteral("lab"));
    topic.labelling.activityName = QStringLiteral("Labelling Activity");
    topic.ordering = readActivity(name, QStringLiteral("ordering.ini"), QStringLiteral("ord"));
    topic.ordering.activityName = QStringLiteral("Ordering Activity");
    return topic;
}

} // namespace TopicReader
