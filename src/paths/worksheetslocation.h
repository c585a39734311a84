#pragma once

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

// Chooses the worksheets folder alike in every program of Ondel, so that a school can point
// all its classroom machines at one shared folder. Highest first:
//   1. the option --worksheets DIR (relative to the working folder);
//   2. the key "worksheets" of the user's settings file, then
//   3. of the system-wide one (QSettings of organisation and application "ondel", e.g.
//      ~/.config/ondel/ondel.conf and /etc/xdg/ondel/ondel.conf; "~/" is the home folder,
//      other relative paths are taken from it);
//   4. the default: a build tree's own media/multiple, else the per-user data folder
//      ~/.local/share/ondel/multiple.
class WorksheetsLocation
{
public:
    enum class Source { Option, UserSettings, SystemSettings, Default };
    struct Choice
    {
        QString folder;
        Source source = Source::Default;
    };

    static QCommandLineOption option();
    // The value of key in the user's settings file, else in the system-wide one, else empty;
    // the other settings of Ondel follow the same order.
    static QString setting(const QString &key);
    // The folder the parsed command line and the settings choose.
    static Choice choose(const QCommandLineParser &parser);
    // Makes choice.folder the worksheets folder. The default folder is made when it is
    // missing; a default or chosen folder that is empty is seeded with the shipped worksheets
    // and an empty catalogue. A chosen folder is never made: a missing network folder is not
    // replaced by a local one. Returns one line naming the folder and why worksheets cannot
    // be saved there (missing, not a folder, unreadable, read-only), else an empty string.
    static QString use(const Choice &choice);
};
