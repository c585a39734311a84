#pragma once

#include <QString>

// Resolves the program's relative data paths ("wmf\key rivers 1.wmf", "images/swan1.jpg",
// "multiple/Rivers 1.txt") to files on disk. "\" and "/" are the same separator, and folder
// and file names match regardless of letter case, as they did on the system the data was
// written for. Paths under "multiple" go to the worksheets folder, which is writable.
class MediaPath
{
public:
    // The media root: "media" beside the executable, or the installed share folder.
    static QString root();
    // Tests point the program at their own media and worksheets folders.
    static void setRoot(const QString &path);
    static void setWorksheetsFolder(const QString &path);

    // Where worksheets and track.txt are read and written: the media root's "multiple"
    // when it is writable, else a per-user data folder seeded from it on first use.
    static QString worksheetsFolder();

    // The path on disk for a relative data path. Existing folders and files are matched
    // without regard to case; a name that does not exist yet is kept as written, so the
    // result can be used to create it. Returns an empty string for a path that would leave
    // the media root (an absolute path or a ".." component).
    static QString resolve(const QString &relativePath);
};
