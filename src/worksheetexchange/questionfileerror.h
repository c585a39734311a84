#pragma once

#include <QString>

#include <stdexcept>

// A question file that cannot be read: what is wrong, in plain words, and the line where it
// is (0 when no line can be named).
class QuestionFileError final : public std::runtime_error
{
public:
    QuestionFileError(const QString &message, int line)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_line(line)
    { }

    QString message() const { return m_message; }
    int line() const { return m_line; }

private:
    QString m_message;
    int m_line = 0;
};
