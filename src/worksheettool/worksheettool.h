#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

class QIODevice;
struct ImportResult;
struct WorksheetDraft;
class WorksheetFileError;

// ondel-worksheets: the worksheets folder for a school's technician, without the screens.
// It chooses the folder as the program does (WorksheetsLocation) and reads and writes it
// through the program's own file layer, under the same lock and atomic replace.
//
// Results are plain lines on standard output, their fields separated by tabs, the first
// field saying what the line is; a failure is one line on standard error. The exit status is
// 0 when all went well, 1 when something is wrong with the data, 2 for wrong usage.
class WorksheetTool final
{
public:
    enum Status { Success = 0, DataProblem = 1, UsageError = 2 };

    // Writes results to out and failures to err.
    WorksheetTool(QIODevice &out, QIODevice &err);

    // Runs the command line; arguments[0] is the program's name. Returns the exit status.
    int run(const QStringList &arguments);

private:
    int usageError(const QString &problem);
    int failure(const QString &problem);
    // The catalogue could not be read: where it is and why.
    int catalogueFailure(const WorksheetFileError &error);
    void print(const QStringList &fields);

    int list();
    int show(const QString &title);
    int check();
    int importFile(const QString &file);
    int exportWorksheet(const QString &title);
    int results();
    int forgetPupil(const QString &pupil);
    int setTeacherPassword();
    // Prints what changed, or the problem that stopped it.
    int teacherPasswordChanged(const QString &problem, const QString &change);
    // One line of standard input; at a terminal asked for with prompt and not echoed.
    QString readPassword(const QString &prompt);

    // The worksheet of that title, read with the program's reader, or a failure's status.
    bool readDraft(const QString &title, WorksheetDraft &draft, int &status);
    // The lines of a worksheet: kind, title and number of questions, then each question
    // with its answers, the correct one marked.
    void printWorksheet(const QString &kind, const WorksheetDraft &draft, int questionCount);
    void printSkippedAndWarnings(const ImportResult &result);

    QIODevice &m_out;
    QTextStream m_text;
    QTextStream m_errors;
    QCommandLineParser m_parser;
};
