#pragma once

#include <QString>

// Files in a folder that a group shares, as a school shares its worksheets folder between the
// teachers' accounts (a group, setgid, mode 2775): when the folder's group may write the
// folder, each file Ondel makes there becomes readable and writable by that group and keeps
// it, whatever the umask, so that another member can replace or remove it later. A setgid
// folder gives its group to new files; elsewhere the group is set where the account may set
// it. In any other folder, and where the file system refuses, nothing changes.
namespace GroupShare {

// For a file being written, by its open descriptor, in folder.
void adopt(int descriptor, const QString &folder);
// For a file made already, by its path; its folder is the one it lies in.
void adopt(const QString &path);

} // namespace GroupShare
