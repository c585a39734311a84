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

// Reads the file into memory; false, with the earlier worksheet back in memory, when it is
// missing or damaged.
bool readWorksheet(const QString &worksheetPath)
{
    const WorksheetInMemory earlier;
    FieldReader file;
    try {
        file.open(worksheetPath);
        WorksheetFiles::readworksheet(file);
        file.close();
    } catch (const WorksheetFileError &) {
        file.close();
        earlier.restore();
        return false;
    }
    if (!correctAnswersValid()) {
        earlier.restore();
        return false;
    }
    return true;
}

} // namespace

namespace QuizOpener {

bool open(const QString &worksheetPath, const QString &picturePath)
{
    if (!readWorksheet(worksheetPath)) {
        ScreenParts::message(QStringLiteral("This worksheet seems to be corrupted."));
        return false;
    }
    multiple->Picture1->loadPicture(picturePath);
    multiple->Label5->setCaption(QStringLiteral("Ondel"));
    multiple->show();
    return true;
}

} // namespace QuizOpener
