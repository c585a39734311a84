#include "folderlock.h"

#include "folderaccess.h"
#include "groupshare.h"
#include "worksheetfileerror.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>

namespace {

// While it removes a stale lock, QLockFile holds a second lock file beside it, the lock's path
// with ".rmlock" added, for microseconds. A program killed in that moment leaves it behind
// (empty, so naming no program), and QLockFile would let it stop every takeover for half a
// minute; one older than the stale time is removed here.
void removeStaleRemovalLock(const QString &lockPath)
{
    const QFileInfo removal(lockPath + QStringLiteral(".rmlock"));
    if (removal.exists()
        && removal.lastModified().secsTo(QDateTime::currentDateTime())
            > FolderLock::staleAfter.count())
        QFile::remove(removal.filePath());
}

} // namespace

FolderLock::FolderLock(const QString &lockPath, std::chrono::milliseconds wait,
                       const QString &busyMessage, const WaitNotice &notice)
    : m_lock(lockPath)
{
    m_lock.setStaleLockTime(std::chrono::milliseconds(staleAfter));
    bool waiting = false;
    const auto waitOver = qScopeGuard([&] {
        if (waiting && notice)
            notice(false);
    });
    const QDeadlineTimer deadline(wait);
    while (!m_lock.tryLock(0)) {
        // A lock that cannot be made at all says why: a folder out of reach or not writable.
        if (m_lock.error() == QLockFile::PermissionError
            || m_lock.error() == QLockFile::UnknownError)
            throw FolderAccess::writeError(
                lockPath, QStringLiteral("The lock file %1 cannot be made.").arg(lockPath));
        if (deadline.hasExpired())
            throw WorksheetFileError(busyMessage);
        removeStaleRemovalLock(lockPath);
        if (!waiting && notice) {
            waiting = true;
            notice(true);
        }
        QThread::msleep(5);
    }
    // In a folder a group shares, the next teacher's account must be able to take it over.
    GroupShare::adopt(lockPath);
}
