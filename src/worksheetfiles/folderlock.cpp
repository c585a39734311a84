#include "folderlock.h"

#include "worksheetfileerror.h"

#include <QDeadlineTimer>
#include <QScopeGuard>
#include <QThread>

FolderLock::FolderLock(const QString &lockPath, std::chrono::milliseconds wait,
                       const QString &busyMessage, const WaitNotice &notice)
    : m_lock(lockPath)
{
    bool waiting = false;
    const auto waitOver = qScopeGuard([&] {
        if (waiting && notice)
            notice(false);
    });
    const QDeadlineTimer deadline(wait);
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::PermissionError
            || m_lock.error() == QLockFile::UnknownError || deadline.hasExpired())
            throw WorksheetFileError(busyMessage);
        if (!waiting && notice) {
            waiting = true;
            notice(true);
        }
        QThread::msleep(5);
    }
}
