#include "groupshare.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace GroupShare {

void adopt(int descriptor, const QString &folder)
{
    struct stat shared
    {
    };
    struct stat file
    {
    };
    if (descriptor < 0 || ::stat(QFile::encodeName(folder).constData(), &shared) != 0
        || !(shared.st_mode & S_IWGRP) || ::fstat(descriptor, &file) != 0)
        return;
    // Only members of the group may give it a file; anyone else keeps their own group, which
    // then gets no write access.
    if (file.st_gid != shared.st_gid
        && (::fchown(descriptor, static_cast<uid_t>(-1), shared.st_gid) != 0
            || ::fstat(descriptor, &file) != 0 || file.st_gid != shared.st_gid))
        return;
    if ((file.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        ::fchmod(descriptor, (file.st_mode & 07777) | S_IRGRP | S_IWGRP);
}

void adopt(const QString &path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    adopt(descriptor, QFileInfo(path).absolutePath());
    ::close(descriptor);
}

} // namespace GroupShare
