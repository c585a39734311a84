#pragma once

#include <QString>

#include <optional>

// The learning platform's two question file formats.
enum class QuestionFormat { Gift, MoodleXml };

// The format a file's name gives it: ".gift" and ".txt" are GIFT, ".xml" Moodle XML (letter
// case aside); nothing for any other name.
std::optional<QuestionFormat> questionFormatOf(const QString &fileName);

// The extension a file of the format is written with, without its dot: "gift" or "xml".
QString questionFormatSuffix(QuestionFormat format);
