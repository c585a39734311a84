#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>
#include <functional>

// Holds a lock file beside a shared file while a read-change-rewrite of that file runs, so
// that programs sharing the worksheets folder (one machine or thirty) take turns and lose no
// change. A lock left by a program that ended without releasing it is taken over.
class FolderLock final
{
public:
    // Told true when the lock is taken by another program and the wait starts, false when the
    // wait is over, however it ends; never told anything when the lock is free at once.
    using WaitNotice = std::function<void(bool waiting)>;

    // Takes lockPath, waiting up to wait for another program to release it. Throws
    // WorksheetFileError with busyMessage when the wait runs out or the lock cannot be made.
    FolderLock(const QString &lockPath, std::chrono::milliseconds wait, const QString &busyMessage,
               const WaitNotice &notice = {});

private:
    QLockFile m_lock;
};
