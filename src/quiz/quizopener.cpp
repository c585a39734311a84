#include "quizopener.h"

#include "fieldreader.h"
#include "quizscreen.h"
#include "screenparts.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include <array>

namespace {

// The worksheet in memory, kept aside while another is read so that a refused file leaves
// nothing half-read behind.
struct WorksheetInMemory
{
    QString title = worktitle;
    std::array<QString, worksheetQuestionCount + 1> texts = questions;
    std::array<QString, worksheetQuestionCount + 1> a = answera;
    std::array<QString, worksheetQuestionCount + 1> b = answerb;
    std::array<QString, worksheetQuestionCount + 1> c = answerc;
    std::array<QString, worksheetQuestionCount + 1> d = answerd;
    std::array<QString, worksheetQuestionCount + 1> answers = correct;

    void restore() const
    {
        worktitle = title;
        questions = texts;
        answera = a;
        answerb = b;
        answerc = c;
        answerd = d;
        correct = answers;
    }
};

bool correctAnswersValid()
{
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        if (WorksheetFiles::correctAnswer(q) == 0)
            return false;
    }
    return true;
}

// Reads the file into memory. When it is missing or damaged, puts the earlier worksheet back
// and returns what to say: that the worksheet seems corrupted, or what keeps its folder from
// being read.
QString readWorksheet(const QString &worksheetPath)
{
    const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");
    const WorksheetInMemory earlier;
    FieldReader file;
    try {
        file.open(worksheetPath);
        WorksheetFiles::readworksheet(file);
        file.close();
    } catch (const WorksheetFileError &error) {
        file.close();
        earlier.restore();
        return error.isFolderProblem() ? error.message() : corrupted;
    }
    if (!correctAnswersValid()) {
        earlier.restore();
        return corrupted;
    }
    return {};
}

} // namespace

namespace QuizOpener {

bool open(const QString &worksheetPath, const QString &picturePath)
{
    if (const QString problem = readWorksheet(worksheetPath); !problem.isEmpty()) {
        ScreenParts::message(problem);
        return false;
    }
    multiple->Picture1->loadPicture(picturePath);
    multiple->Label5->setCaption(QStringLiteral("Ondel"));
    multiple->show();
    return true;
}

} // namespace QuizOpener
