#pragma once

#include <QString>

#include <stdexcept>

// Any failure of the worksheet and catalogue files: a file that cannot be opened, read past
// its end, written or replaced, a damaged catalogue, a refused title or a character that
// cannot be stored. Screens catch it, close the file and show their one message.
class WorksheetFileError final : public std::runtime_error
{
public:
    explicit WorksheetFileError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    { }

    QString message() const { return m_message; }

private:
    QString m_message;
};
