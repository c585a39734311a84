#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>
#include <functional>

// Holds a lock file beside a shared file while a read-change-rewrite of that file runs, so
// that programs sharing the worksheets folder (one machine or thirty) take turns and lose no
// change. A lock left by a program that ended without releasing it is taken over: at once
// when it was this machine's, else once it is staleAfter old.
class FolderLock final
{
public:
    // A change holds the lock for milliseconds. A program killed just as it made the lock
    // file may leave it empty, naming no program; such a lock, or one of another machine
    // that went down, holds the others up this long, less than the waits they allow.
    static constexpr std::chrono::seconds staleAfter { 10 };

    // Told true when the lock is taken by another program and the wait starts, false when the
    // wait is over, however it ends; never told anything when the lock is free at once.
    using WaitNotice = std::function<void(bool waiting)>;

    // Takes lockPath, waiting up to wait for another program to release it; in a folder a
    // group shares, the lock file is the group's to take over too. Throws WorksheetFileError
    // with busyMessage when the wait runs out, and naming the folder's problem when the lock
    // cannot be made.
    FolderLock(const QString &lockPath, std::chrono::milliseconds wait, const QString &busyMessage,
               const WaitNotice &notice = {});

private:
    QLockFile m_lock;
};
