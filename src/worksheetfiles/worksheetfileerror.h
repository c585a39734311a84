#pragma once

#include <QString>

#include <stdexcept>

// Any failure of the worksheet and catalogue files: a file that cannot be opened, read past
// its end, written or replaced, a damaged catalogue, a refused title or a character that
// cannot be stored. Screens catch it, close the file and show their one message, or, where
// the cause is the folder rather than the worksheet, the message itself.
class WorksheetFileError final : public std::runtime_error
{
public:
    enum class Cause {
        Other,
        // The worksheets folder is missing or this account may not open it.
        Unreachable,
        // This account may not change the worksheets folder or the file.
        NotWritable,
    };

    explicit WorksheetFileError(const QString &message, Cause cause = Cause::Other)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_cause(cause)
    { }

    QString message() const { return m_message; }
    Cause cause() const { return m_cause; }
    bool isFolderProblem() const { return m_cause != Cause::Other; }

private:
    QString m_message;
    Cause m_cause = Cause::Other;
};
