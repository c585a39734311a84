#include "systemdesktop.h"

#include "twips.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

SystemDesktop::~SystemDesktop() = default;

double SystemDesktop::widthTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? Twips::fromPixels(screen->geometry().width()) : 0.0;
}

double SystemDesktop::heightTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? Twips::fromPixels(screen->geometry().height()) : 0.0;
}

void SystemDesktop::setBusyPointer(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
