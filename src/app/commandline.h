#pragma once

#include <QCommandLineParser>

#include <optional>

// The program's command line: --worksheets DIR, --help and --version, plus Qt's own options
// (-platform, -style, ...), which the QApplication then takes. It is read before the
// QApplication exists, so that --help and --version work without a display.
class CommandLine
{
public:
    // --help and --version print their text and end the program here, as in every Qt program.
    CommandLine(int argc, char *argv[]);

    // 2 when the program does not accept its command line and ends at once; the message is
    // on standard error.
    std::optional<int> exitStatus() const { return m_exitStatus; }

    // Chooses the worksheets folder (WorksheetsLocation); call once the QApplication exists.
    // A folder where worksheets cannot be saved gets one line on standard error.
    void useWorksheetsFolder() const;

private:
    QCommandLineParser m_parser;
    std::optional<int> m_exitStatus;
};
