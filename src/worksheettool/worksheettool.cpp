#include "worksheettool.h"

#include "classrecord.h"
#include "fieldreader.h"
#include "importsaving.h"
#include "mediapath.h"
#include "resultscsv.h"
#include "teacherpassword.h"
#include "topicreader.h"
#include "topics.h"
#include "worksheetexport.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"
#include "worksheetimport.h"
#include "worksheetslocation.h"
#include "worksheettext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <array>

#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Command
{
    QStringView name;
    QStringView argument; // empty for a command without one
    QStringView synopsis;
    QStringView summary;
    std::array<QStringView, 3> options; // the options it takes besides --worksheets
    // What it needs of the worksheets folder.
    enum class Folder { Read, Write, None } folder = Folder::Read;
};

const QString program = u"ondel-worksheets"_s;

const QCommandLineOption titleOption(u"title"_s, u"The title of the worksheets imported."_s,
                                     u"title"_s);
const QCommandLineOption dryRunOption(u"dry-run"_s,
                                      u"Print what an import would take; write nothing."_s);
const QCommandLineOption formatOption(u"format"_s, u"The format of an export: gift or xml."_s,
                                      u"format"_s);
const QCommandLineOption outputOption({ u"o"_s, u"output"_s },
                                      u"Write an export to <file>, not to standard output."_s,
                                      u"file"_s);
const QCommandLineOption csvOption(u"csv"_s, u"Print the results as CSV with a header."_s);
const QCommandLineOption pupilOption(u"pupil"_s, u"Only the results of <name>."_s, u"name"_s);
const QCommandLineOption sinceOption(u"since"_s, u"Only the results from <date> (YYYY-MM-DD) on."_s,
                                     u"date"_s);
const QList<QCommandLineOption> commandOptions { titleOption,  dryRunOption, formatOption,
                                                 outputOption, csvOption,    pupilOption,
                                                 sinceOption };

// A text as one field of a line: tabs and other control characters become spaces.
QString field(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text;
}

// Why the worksheet file at path cannot be read as a worksheet by the program's reader;
// empty when it can.
QString damage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"It cannot be read: %1."_s.arg(file.errorString());
    try {
        FieldReader reader;
        reader.openBytes(file.readAll());
        WorksheetFiles::readworksheet(reader);
        WorksheetFiles::draftFromMemory();
    } catch (const WorksheetFileError &error) {
        return error.message();
    }
    return {};
}

// Each command with its argument and options, as the help lists them.
constexpr Command commands[] = {
    { u"list", {}, u"list", u"Print the catalogue's titles, one a line.", {} },
    { u"show", u"title", u"show TITLE", u"Print a worksheet, the correct answers marked.", {} },
    { u"check",
      {},
      u"check",
      u"Report catalogue entries without their file, files never catalogued, damaged files, "
      u"titles that cannot be file names and titles catalogued twice; list the files that "
      u"Delete kept.",
      {} },
    { u"import",
      u"file",
      u"import FILE [--title T] [--dry-run]",
      u"Save the questions of a GIFT (.gift, .txt) or Moodle XML (.xml) file as worksheets "
      u"of ten; fewer than ten left over are reported, not saved.",
      { u"title", u"dry-run" } },
    { u"export",
      u"title",
      u"export TITLE --format gift|xml [-o FILE]",
      u"Write a worksheet as a GIFT or Moodle XML file.",
      { u"format", u"output" } },
    { u"results",
      {},
      u"results [--csv] [--pupil NAME] [--since YYYY-MM-DD]",
      u"Print the class record: pupil, title, activity, score, out of, date and time, and the "
      u"questions answered wrongly.",
      { u"csv", u"pupil", u"since" } },
    { u"forget-pupil",
      u"name",
      u"forget-pupil NAME",
      u"Remove every result of the pupil NAME from the class record.",
      {},
      Command::Folder::Write },
    { u"set-teacher-password",
      {},
      u"set-teacher-password",
      u"Ask for the teacher password (or read it from standard input) and store its hash in "
      u"the system settings; run as root.",
      {},
      Command::Folder::None },
    { u"clear-teacher-password",
      {},
      u"clear-teacher-password",
      u"Remove the teacher password from the system settings; run as root.",
      {},
      Command::Folder::None },
};

} // namespace

WorksheetTool::WorksheetTool(QIODevice &out, QIODevice &err)
    : m_out(out)
    , m_text(&out)
    , m_errors(&err)
{ }

int WorksheetTool::usageError(const QString &problem)
{
    m_errors << program << u": "_s << problem << u" (see "_s << program << u" --help)\n"_s;
    m_errors.flush();
    return UsageError;
}

int WorksheetTool::failure(const QString &problem)
{
    m_errors << program << u": "_s << problem << u'\n';
    m_errors.flush();
    return DataProblem;
}

void WorksheetTool::print(const QStringList &fields)
{
    QStringList line;
    for (const QString &text : fields)
        line += field(text);
    m_text << line.join(u'\t') << u'\n';
}

int WorksheetTool::run(const QStringList &arguments)
{
    QString description = u"Lists, checks, imports and exports the worksheets of Ondel, in the "
                          u"folder the program uses, reads its class record and sets the "
                          u"teacher password.\n\nCommands:"_s;
    for (const Command &command : commands)
        description += u"\n  %1\n      %2"_s.arg(command.synopsis, command.summary);
    description += u"\n\nExit status: 0 when all went well, 1 when something is wrong with the "
                   u"worksheets or a file, 2 for wrong usage."_s;
    m_parser.setApplicationDescription(description);
    const QCommandLineOption help = m_parser.addHelpOption();
    const QCommandLineOption version = m_parser.addVersionOption();
    m_parser.addOption(WorksheetsLocation::option());
    m_parser.addOptions(commandOptions);
    m_parser.addPositionalArgument(u"command"_s,
                                   u"list, show, check, import, export, results, forget-pupil, "
                                   u"set-teacher-password or clear-teacher-password."_s,
                                   u"<command> [<argument>]"_s);

    if (!m_parser.parse(arguments))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(help)) {
        m_text << m_parser.helpText();
        return Success;
    }
    if (m_parser.isSet(version)) {
        m_text << program << u' ' << QCoreApplication::applicationVersion() << u'\n';
        return Success;
    }
    const QStringList words = m_parser.positionalArguments();
    if (words.isEmpty())
        return usageError(u"no command given"_s);
    const Command *command = nullptr;
    for (const Command &candidate : commands) {
        if (candidate.name == words[0])
            command = &candidate;
    }
    if (!command)
        return usageError(u"unknown command \"%1\""_s.arg(words[0]));
    if (words.size() != (command->argument.isEmpty() ? 1 : 2))
        return usageError(u"the command is: %1"_s.arg(command->synopsis));
    for (const QCommandLineOption &option : commandOptions) {
        const QString name = option.names().constLast();
        if (m_parser.isSet(option) && !std::ranges::count(command->options, name))
            return usageError(u"%1 takes no option --%2"_s.arg(command->name, name));
    }
    const QString format = m_parser.value(formatOption);
    if (command->name == u"export" && format != u"gift" && format != u"xml")
        return usageError(u"export needs --format gift or --format xml"_s);
    if (m_parser.isSet(sinceOption)
        && !QDate::fromString(m_parser.value(sinceOption), Qt::ISODate).isValid())
        return usageError(u"--since takes a date as YYYY-MM-DD"_s);

    if (command->name == u"set-teacher-password")
        return setTeacherPassword();
    if (command->name == u"clear-teacher-password")
        return teacherPasswordChanged(TeacherPassword::clear(), u"cleared"_s);

    // Reading needs a readable folder; an import and forgetting need one they can write to.
    const QString problem = WorksheetsLocation::use(WorksheetsLocation::choose(m_parser));
    const QFileInfo folder(MediaPath::worksheetsFolder());
    const bool writes = (command->name == u"import" && !m_parser.isSet(dryRunOption))
        || command->folder == Command::Folder::Write;
    if (!problem.isEmpty() && (writes || !folder.isDir() || !folder.isReadable()))
        return failure(problem);

    int status = Success;
    if (command->name == u"list")
        status = list();
    else if (command->name == u"show")
        status = show(words[1]);
    else if (command->name == u"check")
        status = check();
    else if (command->name == u"import")
        status = importFile(words[1]);
    else if (command->name == u"export")
        status = exportWorksheet(words[1]);
    else if (command->name == u"results")
        status = results();
    else
        status = forgetPupil(words[1]);
    m_text.flush();
    return status;
}

int WorksheetTool::catalogueFailure(const WorksheetFileError &error)
{
    const QString catalogue = MediaPath::resolve(u"multiple/track.txt"_s);
    if (!QFileInfo::exists(catalogue))
        return failure(u"there is no catalogue %1"_s.arg(QDir::toNativeSeparators(catalogue)));
    return failure(u"the catalogue %1 cannot be read: %2"_s.arg(QDir::toNativeSeparators(catalogue),
                                                                error.message()));
}

int WorksheetTool::list()
{
    try {
        WorksheetFiles::readcatalogue();
    } catch (const WorksheetFileError &error) {
        return catalogueFailure(error);
    }
    for (int i = 1; i <= trackcount; ++i)
        print({ tracklist[i] });
    return Success;
}

bool WorksheetTool::readDraft(const QString &title, WorksheetDraft &draft, int &status)
{
    const QString path = WorksheetFiles::worksheetPath(title);
    QString problem = WorksheetText::titleProblem(title);
    if (!problem.isEmpty()) {
        status = failure(u"\"%1\" cannot be a worksheet's title: %2"_s.arg(title, problem));
        return false;
    }
    if (!QFileInfo::exists(MediaPath::resolve(path))) {
        status = failure(u"there is no worksheet \"%1\""_s.arg(title));
        return false;
    }
    try {
        WorksheetFiles::readworksheetfile(path);
        draft = WorksheetFiles::draftFromMemory();
    } catch (const WorksheetFileError &error) {
        status = failure(u"the worksheet \"%1\" is damaged: %2"_s.arg(title, error.message()));
        return false;
    }
    // The title names the file; the one inside it has "&" read back as commas.
    draft.title = title;
    return true;
}

void WorksheetTool::printWorksheet(const QString &kind, const WorksheetDraft &draft,
                                   int questionCount)
{
    print({ kind, draft.title, QString::number(questionCount) });
    for (int row = 0; row < questionCount; ++row) {
        print({ u"question"_s, QString::number(row + 1), draft.questions[row] });
        for (int k = 0; k < 4; ++k) {
            const int index = 4 * row + k;
            print({ draft.ticks[index] ? u"correct"_s : u"answer"_s, QString(QChar(u'A' + k)),
                    draft.answers[index] });
        }
    }
}

int WorksheetTool::show(const QString &title)
{
    WorksheetDraft draft;
    int status = Success;
    if (readDraft(title, draft, status))
        printWorksheet(u"worksheet"_s, draft, worksheetQuestionCount);
    return status;
}

int WorksheetTool::check()
{
    try {
        WorksheetFiles::readcatalogue();
    } catch (const WorksheetFileError &error) {
        return catalogueFailure(error);
    }
    int problems = 0;
    const auto report = [&](const QStringList &line) {
        print(line);
        ++problems;
    };
    QSet<QString> catalogued; // titles in lower case, as the file names match
    QSet<QString> read; // the files read
    for (int i = 1; i <= trackcount; ++i) {
        const QString title = tracklist[i];
        const QString problem = WorksheetText::titleProblem(title);
        if (!problem.isEmpty()) {
            report({ u"bad-title"_s, title, problem });
            continue;
        }
        if (catalogued.contains(title.toLower())) {
            report({ u"duplicate"_s, title });
            continue;
        }
        catalogued += title.toLower();
        const QString path = MediaPath::resolve(WorksheetFiles::worksheetPath(title));
        if (!QFileInfo::exists(path)) {
            report({ u"missing"_s, title });
            continue;
        }
        read += path;
        if (const QString problem = damage(path); !problem.isEmpty())
            report({ u"damaged"_s, title, problem });
    }

    // The built-in worksheets, which a folder is seeded with, belong in no catalogue; Delete
    // keeps the files of the worksheets it takes out, which is as it should be.
    QSet<QString> kept;
    for (const QString &title : WorksheetFiles::keptworksheets())
        kept += title.toLower();
    const QDir shipped(MediaPath::shippedWorksheetsFolder());
    const QDir folder(MediaPath::worksheetsFolder());
    for (const QString &name : folder.entryList({ u"*.txt"_s }, QDir::Files, QDir::Name)) {
        const QString path = folder.filePath(name);
        const QString title = QFileInfo(name).completeBaseName();
        if (read.contains(path) || title.compare(u"track"_s, Qt::CaseInsensitive) == 0)
            continue;
        if (kept.contains(title.toLower()))
            print({ u"kept"_s, title });
        else if (!catalogued.contains(title.toLower()) && !shipped.exists(name))
            report({ u"uncatalogued"_s, title });
        if (const QString problem = damage(path); !problem.isEmpty())
            report({ u"damaged"_s, title, problem });
    }
    // The topics of the main menu, each read and checked as the program reads it.
    for (const QString &name : Topics::names()) {
        try {
            TopicReader::read(name);
        } catch (const TopicFault &fault) {
            report({ u"topic"_s, name, fault.text() });
        }
    }
    if (problems == 0)
        return Success;
    m_text.flush();
    return failure(u"%1 %2 in %3"_s.arg(problems).arg(problems == 1 ? u"problem"_s : u"problems"_s,
                                                      QDir::toNativeSeparators(folder.path())));
}

void WorksheetTool::printSkippedAndWarnings(const ImportResult &result)
{
    for (const SkippedQuestion &question : result.skipped)
        print({ u"skipped"_s, QString::number(question.line), question.question, question.reason });
    for (const QString &warning : result.warnings)
        print({ u"warning"_s, warning });
}

int WorksheetTool::importFile(const QString &file)
{
    const bool dryRun = m_parser.isSet(dryRunOption);
    ImportResult result = WorksheetImport::importFile(file, m_parser.value(titleOption));
    if (result.failed())
        return failure(u"%1 cannot be imported: %2"_s.arg(file, result.errorText()));
    const qsizetype complete = result.worksheets.size() - (result.leftOver() ? 1 : 0);
    const ImportSaving::Outcome outcome
        = dryRun ? ImportSaving::plan(result) : ImportSaving::save(result, int(complete));
    for (const auto &[wanted, used] : outcome.renamed)
        print({ u"renamed"_s, wanted, used });
    for (qsizetype i = 0; i < result.worksheets.size(); ++i) {
        const ImportedWorksheet &worksheet = result.worksheets[i];
        const QString kind = i < complete ? (dryRun ? u"worksheet"_s : u"saved"_s) : u"leftover"_s;
        if (dryRun)
            printWorksheet(kind, worksheet.draft, worksheet.questionCount);
        else if (i < outcome.saved || (i >= complete && outcome.error.isEmpty()))
            print({ kind, worksheet.draft.title, QString::number(worksheet.questionCount) });
    }
    printSkippedAndWarnings(result);
    m_text.flush();
    if (!outcome.error.isEmpty())
        return failure(u"%1 could not be saved: %2"_s.arg(file, outcome.error));
    if (result.worksheets.isEmpty())
        return failure(u"no question of %1 fits a worksheet"_s.arg(file));
    if (complete == 0)
        return failure(u"%1 gives fewer than ten questions, which only the wizard can complete "
                       u"into a worksheet"_s.arg(file));
    return Success;
}

int WorksheetTool::exportWorksheet(const QString &title)
{
    WorksheetDraft draft;
    int status = Success;
    if (!readDraft(title, draft, status))
        return status;
    const QuestionFormat format
        = m_parser.value(formatOption) == u"xml" ? QuestionFormat::MoodleXml : QuestionFormat::Gift;
    try {
        if (m_parser.isSet(outputOption)) {
            WorksheetExport::write(draft, format, m_parser.value(outputOption));
        } else {
            const QByteArray bytes = WorksheetExport::toBytes(draft, format);
            m_text.flush();
            m_out.write(bytes);
        }
    } catch (const WorksheetFileError &error) {
        return failure(error.message());
    }
    return Success;
}

int WorksheetTool::results()
{
    ClassRecord::Contents record;
    try {
        record = ClassRecord::read();
    } catch (const WorksheetFileError &error) {
        return failure(u"the class record %1 cannot be read: %2"_s.arg(
            QDir::toNativeSeparators(ClassRecord::path()), error.message()));
    }
    const QDate since = QDate::fromString(m_parser.value(sinceOption), Qt::ISODate);
    QList<RecordedResult> chosen;
    for (const RecordedResult &result : std::as_const(record.results)) {
        if ((!m_parser.isSet(pupilOption) || result.pupil == m_parser.value(pupilOption))
            && (!since.isValid() || result.when.date() >= since))
            chosen += result;
    }
    if (m_parser.isSet(csvOption)) {
        m_text.flush();
        m_out.write(ResultsCsv::file(chosen, false));
    } else {
        for (const RecordedResult &result : std::as_const(chosen))
            print(QStringList { u"result"_s } + ResultsCsv::fields(result));
    }
    if (record.unreadableRows == 0)
        return Success;
    m_text.flush();
    return failure(u"%1 of %2 cannot be read as results"_s.arg(
        record.unreadableRows == 1 ? u"1 line"_s : u"%1 lines"_s.arg(record.unreadableRows),
        QDir::toNativeSeparators(ClassRecord::path())));
}

int WorksheetTool::forgetPupil(const QString &pupil)
{
    int removed = 0;
    try {
        removed = ClassRecord::forget(pupil, QDateTime::currentDateTime());
    } catch (const WorksheetFileError &error) {
        return failure(u"the class record %1 cannot be changed: %2"_s.arg(
            QDir::toNativeSeparators(ClassRecord::path()), error.message()));
    }
    if (removed == 0)
        return failure(u"the class record holds no result of \"%1\""_s.arg(pupil));
    print({ u"forgotten"_s, pupil, QString::number(removed) });
    return Success;
}

QString WorksheetTool::readPassword(const QString &prompt)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    // At a terminal the password is asked for and not shown as it is typed.
    const bool terminal = isatty(STDIN_FILENO);
    termios saved {};
    if (terminal) {
        m_errors << prompt;
        m_errors.flush();
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QString line = QString::fromLocal8Bit(in.readLine());
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        m_errors << u'\n';
        m_errors.flush();
    }
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

int WorksheetTool::setTeacherPassword()
{
    const QString password = readPassword(u"New teacher password: "_s);
    if (const QString problem = TeacherPassword::problem(password); !problem.isEmpty())
        return failure(problem);
    if (isatty(STDIN_FILENO) && readPassword(u"The same again: "_s) != password)
        return failure(u"the two passwords typed differ; nothing was changed"_s);
    QString problem;
    try {
        problem = TeacherPassword::set(password);
    } catch (const std::exception &error) {
        problem = QString::fromLocal8Bit(error.what());
    }
    return teacherPasswordChanged(problem, u"set"_s);
}

int WorksheetTool::teacherPasswordChanged(const QString &problem, const QString &change)
{
    if (!problem.isEmpty())
        return failure(problem);
    print({ u"teacher-password"_s, change, TeacherPassword::settingsFile() });
    m_text.flush();
    return Success;
}
