#pragma once

#include <QString>

// Resolves the program's relative data paths ("wmf\key rivers 1.wmf", "images/swan1.jpg",
// "multiple/Rivers 1.txt") to files on disk. "\" and "/" are the same separator, and folder
// and file names match regardless of letter case, as they did on the system the data was
// written for. Paths under "multiple" go to the worksheets folder, and paths under
// "topics/<name>" to that topic's folder.
class MediaPath
{
public:
    // The media root, found from the executable alone: "media" beside it in a build tree,
    // else "../share/ondel/media" as installed.
    static QString root();
    // True when the media root is a build tree's own, which the program may write into.
    static bool isBuildTree();
    // Tests point the program at their own media and worksheets folders.
    static void setRoot(const QString &path);
    static void setWorksheetsFolder(const QString &path);
    // Counts the changes of the media root, so that what was read from the old one is known
    // to be stale.
    static int revision();

    // The worksheets and catalogue shipped with the program: the media root's "multiple".
    static QString shippedWorksheetsFolder();
    // Where worksheets and track.txt are read and written: the folder that was set (see
    // WorksheetsLocation), else the shipped one.
    static QString worksheetsFolder();

    // The path on disk to read a relative data path from. Existing folders and files are
    // matched without regard to case; a name that does not exist yet is kept as written.
    // A worksheet missing from the worksheets folder is read from the shipped folder, so the
    // built-in quizzes run even when a shared folder is missing or unreadable; the catalogue
    // is always the worksheets folder's own. Returns an empty string for a path that would
    // leave the media root (an absolute path or a ".." component).
    static QString resolve(const QString &relativePath);
    // The folder on disk of the topic named name ("rivers2"): the first "ondel/topics/<name>"
    // among the user's and the system's data folders (~/.local/share, /usr/local/share, ...),
    // where a school puts its own copy of a topic, else the media root's "topics/<name>".
    // Paths "topics/<name>/..." resolve inside it.
    static QString topicFolder(const QString &name);

    // As resolve, but always inside the worksheets folder: the path to create or replace.
    static QString resolveForWriting(const QString &relativePath);
};
