#pragma once

#include <QList>
#include <QString>

// A question as a GIFT or Moodle XML file holds it, before the worksheet rules are applied:
// its kind, its texts still in their own format, and each answer's credit in percent.
struct SourceQuestion
{
    enum class Kind {
        MultipleChoice,
        TrueFalse,
        ShortAnswer,
        Matching,
        Numerical,
        Essay,
        Description,
        Other, // typeName says which
    };
    // Moodle's auto-format allows HTML, so it reads as HTML.
    enum class Format { Html, Markdown, Plain };

    struct Answer
    {
        QString text;
        Format format = Format::Html;
        double percent = 0;
    };

    int line = 0; // where the question begins, counting from 1
    Kind kind = Kind::MultipleChoice;
    QString typeName;
    QString category; // the category path in force, as written
    QString name;
    QString text;
    Format format = Format::Html;
    bool singleAnswer = true;
    QList<Answer> answers;
};
