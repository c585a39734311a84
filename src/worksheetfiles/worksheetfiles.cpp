#include "worksheetfiles.h"

#include "fieldreader.h"
#include "folderaccess.h"
#include "folderlock.h"
#include "mediapath.h"
#include "textfilewriter.h"
#include "worksheetfileerror.h"
#include "worksheetglobals.h"
#include "worksheettext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>

#include <limits>
#include <tuple>

namespace WorksheetFiles {

namespace {

const QString catalogueReadPath = QStringLiteral("multiple\\track.txt");
const QString catalogueWritePath = QStringLiteral("multiple/track.txt");
// No title can name this file: titles "track.*" are refused and worksheet files end in .txt.
const QString keptRecordPath = QStringLiteral("multiple/track.deleted");

void requireValidTitle(const QString &title)
{
    const QString problem = WorksheetText::titleProblem(title);
    if (!problem.isEmpty())
        throw WorksheetFileError(problem);
}

QString requirePath(const QString &relativePath)
{
    const QString path = MediaPath::resolveForWriting(relativePath);
    if (path.isEmpty())
        throw WorksheetFileError(QStringLiteral("%1 is not a data file.").arg(relativePath));
    return path;
}

int parseCount(const QString &field)
{
    bool ok = !field.isEmpty();
    for (const QChar c : field)
        ok = ok && c >= u'0' && c <= u'9';
    const qlonglong count = ok ? field.toLongLong(&ok) : 0;
    if (!ok || count > std::numeric_limits<int>::max())
        throw WorksheetFileError(QStringLiteral("The catalogue's count is not a number."));
    return static_cast<int>(count);
}

// Holds the catalogue's lock file while a read-change-rewrite of track.txt runs.
class CatalogueLock final
{
public:
    explicit CatalogueLock(const LockWaitNotice &notice)
        : m_lock(QFileInfo(requirePath(catalogueWritePath)).absolutePath()
                     + QStringLiteral("/track.txt.lock"),
                 catalogueLockWait, QStringLiteral("The catalogue is in use."), notice)
    { }

private:
    FolderLock m_lock;
};

void writeCatalogue(const QStringList &titles)
{
    TextFileWriter::replace(requirePath(catalogueWritePath), catalogueLines(titles));
}

// Adds title to the catalogue just read, unless an entry is equal to it. The caller holds
// the lock.
void addToCatalogue(const QString &title)
{
    for (int i = 1; i <= trackcount; ++i) {
        if (tracklist[i] == title)
            return;
    }
    if (trackcount >= catalogueCapacity)
        throw WorksheetFileError(QStringLiteral("The catalogue is full."));
    tracklist[trackcount + 1] = title;
    QStringList titles;
    for (int i = 1; i <= trackcount + 1; ++i)
        titles += tracklist[i];
    writeCatalogue(titles);
}

// Whether a worksheet has the title, judged on the catalogue just read.
bool isTaken(const QString &title, const QStringList &alsoTaken)
{
    if (alsoTaken.contains(title, Qt::CaseInsensitive))
        return true;
    for (int i = 1; i <= trackcount; ++i) {
        if (tracklist[i].compare(title, Qt::CaseInsensitive) == 0)
            return true;
    }
    return QFileInfo::exists(MediaPath::resolve(worksheetPath(title)));
}

// The title with " (n)" after it, cut to the wizard's length where it must be. The cut is
// made between words and keeps a closing part number, so that "Rivers and streams of 1"
// gives "Rivers and streams 1 (2)" and stays told apart from the second part of its import.
QString numberedTitle(const QString &title, int n)
{
    static const QRegularExpression partNumber(QStringLiteral(" [0-9]+$"));
    const QString number = QStringLiteral(" (%1)").arg(n);
    const QString part = partNumber.match(title).captured();
    const int room = qMax(0, WorksheetDraft::titleMaxLength - int(number.size() + part.size()));
    QString stem = WorksheetText::wordsWithin(title.chopped(part.size()), room);
    if (stem.isEmpty()) // one long word: nothing shorter names it
        stem = title.first(qMin(title.size(), qsizetype(room + part.size()))).trimmed();
    else
        stem += part;
    return stem + number;
}

QString freeTitleInCatalogue(const QString &title, const QStringList &alsoTaken)
{
    requireValidTitle(title);
    // Enough tries for a full catalogue and as many stray files again.
    constexpr int lastTry = 2 * catalogueCapacity + 2;
    for (int n = 1; n <= lastTry; ++n) {
        const QString candidate = n > 1 ? numberedTitle(title, n) : title;
        if (!isTaken(candidate, alsoTaken) && WorksheetText::isValidTitle(candidate))
            return candidate;
    }
    throw WorksheetFileError(QStringLiteral("No free title was found for %1.").arg(title));
}

// Adds title to the record of worksheets that Delete kept. The record only serves the
// technician's check, so a failure to write it never stops a Delete.
void recordKept(const QString &title)
{
    QStringList kept = keptworksheets();
    if (kept.contains(title))
        return;
    try {
        TextFileWriter::replace(requirePath(keptRecordPath), catalogueLines(kept << title));
    } catch (const WorksheetFileError &) { }
}

} // namespace

QString worksheetPath(const QString &title)
{
    return QStringLiteral("multiple/") + title + QStringLiteral(".txt");
}

void readworksheet(FieldReader &file)
{
    worktitle = WorksheetText::unescape(file.readField());
    file.readField();
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        questions[q] = WorksheetText::unescape(file.readField());
        answera[q] = WorksheetText::unescape(file.readField());
        answerb[q] = WorksheetText::unescape(file.readField());
        answerc[q] = WorksheetText::unescape(file.readField());
        answerd[q] = WorksheetText::unescape(file.readField());
        correct[q] = file.readField();
        file.readField();
    }
}

void readworksheetfile(const QString &relativePath)
{
    FieldReader file;
    file.open(relativePath);
    readworksheet(file);
    file.close();
}

void readcatalogue(FieldReader &file)
{
    trackcount = parseCount(file.readField());
    for (int i = 1; i <= trackcount; ++i) {
        if (i > catalogueCapacity)
            throw WorksheetFileError(QStringLiteral("The catalogue holds too many entries."));
        tracklist[i] = file.readField();
    }
}

void readcatalogue()
{
    FieldReader file;
    file.open(catalogueReadPath);
    readcatalogue(file);
    file.close();
}

QStringList worksheetLines(const WorksheetDraft &draft)
{
    requireValidTitle(draft.title);
    const QString separator = QStringLiteral(" ");
    QStringList lines { WorksheetText::escape(draft.title), separator };
    for (int q = 0; q < worksheetQuestionCount; ++q) {
        lines += WorksheetText::escape(draft.questions[q]);
        int ticked = 0;
        QString digit;
        for (int k = 0; k < 4; ++k) {
            lines += WorksheetText::escape(draft.answers[4 * q + k]);
            if (draft.ticks[4 * q + k]) {
                ++ticked;
                digit = QString::number(k + 1);
            }
        }
        if (ticked != 1)
            throw WorksheetFileError(
                QStringLiteral("Question %1 needs exactly one correct answer.").arg(q + 1));
        lines += digit;
        lines += separator;
    }
    for (const QString &line : std::as_const(lines)) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            throw WorksheetFileError(QStringLiteral("A text of the worksheet holds a line break."));
    }
    return lines;
}

QStringList catalogueLines(const QStringList &titles)
{
    QStringList lines { QStringLiteral(" %1 ").arg(titles.size()) };
    for (const QString &title : titles) {
        if (!WorksheetText::needsQuotes(title)) {
            lines += title;
        } else if (!title.contains(u'"')) {
            lines += u'"' + title + u'"';
        } else {
            throw WorksheetFileError(
                QStringLiteral("The title %1 cannot be stored in the catalogue.").arg(title));
        }
    }
    return lines;
}

void writeworksheet(const WorksheetDraft &draft)
{
    const QStringList lines = worksheetLines(draft);
    const QString path = requirePath(worksheetPath(draft.title));
    if (QFileInfo(path).dir() != QDir(MediaPath::worksheetsFolder()))
        throw WorksheetFileError(QStringLiteral("The title cannot be used as a file name."));
    TextFileWriter::replace(path, lines);
}

void saveworksheet(const WorksheetDraft &draft, const LockWaitNotice &notice)
{
    writeworksheet(draft);
    trackworksheets(draft.title, notice);
}

void trackworksheets(const QString &title, const LockWaitNotice &notice)
{
    requireValidTitle(title);
    const CatalogueLock lock(notice);
    readcatalogue();
    addToCatalogue(title);
}

QString freetitle(const QString &title, const QStringList &alsoTaken)
{
    readcatalogue();
    return freeTitleInCatalogue(title, alsoTaken);
}

QString savenewworksheet(WorksheetDraft draft, const LockWaitNotice &notice)
{
    worksheetLines(draft);
    const CatalogueLock lock(notice);
    readcatalogue();
    draft.title = freeTitleInCatalogue(draft.title, {});
    writeworksheet(draft);
    try {
        addToCatalogue(draft.title);
    } catch (const WorksheetFileError &) {
        // No worksheet had the title, so the file is this save's own: it goes again rather
        // than stay behind outside the catalogue.
        QFile::remove(MediaPath::resolve(worksheetPath(draft.title)));
        throw;
    }
    return draft.title;
}

bool delworksheet(const QString &delname, const LockWaitNotice &notice)
{
    const CatalogueLock lock(notice);
    readcatalogue();
    int position = 0;
    for (int i = 1; i <= trackcount; ++i) {
        if (tracklist[i] == delname)
            position = i;
    }
    if (position == 0)
        return false;
    recordKept(delname);
    QStringList titles;
    for (int i = 1; i <= trackcount; ++i) {
        if (i != position)
            titles += tracklist[i];
    }
    writeCatalogue(titles);
    for (int i = position; i < trackcount; ++i)
        tracklist[i] = tracklist[i + 1];
    tracklist[trackcount].clear();
    --trackcount;
    return true;
}

QStringList keptworksheets()
{
    QStringList titles;
    if (!QFileInfo::exists(MediaPath::resolve(keptRecordPath)))
        return titles;
    FieldReader file;
    try {
        file.open(keptRecordPath);
        for (int count = parseCount(file.readField()); titles.size() < count;)
            titles += file.readField();
    } catch (const WorksheetFileError &) {
        // A damaged record gives the titles before the damage.
    }
    return titles;
}

int correctAnswer(int q)
{
    const QString &field = correct[q];
    return field.size() == 1 && field.front() >= u'1' && field.front() <= u'4'
        ? field.front().digitValue()
        : 0;
}

WorksheetDraft draftFromMemory()
{
    WorksheetDraft draft;
    draft.title = worktitle;
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        const int row = q - 1;
        draft.questions[row] = questions[q];
        draft.answers[4 * row] = answera[q];
        draft.answers[4 * row + 1] = answerb[q];
        draft.answers[4 * row + 2] = answerc[q];
        draft.answers[4 * row + 3] = answerd[q];
        const int answer = correctAnswer(q);
        if (answer == 0)
            throw WorksheetFileError(
                QStringLiteral("The correct answer of question %1 is not 1 to 4.").arg(q));
        draft.ticks[4 * row + answer - 1] = true;
    }
    return draft;
}

WorksheetDraft readDraft(const QByteArray &bytes)
{
    // Read through the globals, as every worksheet is, and put back what they held.
    const auto held = std::tuple(worktitle, questions, answera, answerb, answerc, answerd, correct);
    const auto restore = qScopeGuard([&held] {
        std::tie(worktitle, questions, answera, answerb, answerc, answerd, correct) = held;
    });
    FieldReader reader;
    reader.openBytes(bytes);
    readworksheet(reader);
    return draftFromMemory();
}

} // namespace WorksheetFiles
