#include "wordmover.h"

#include "activityscreen.h"
#include "focusmark.h"
#include "screenparts.h"

#include <QFocusEvent>
#include <QKeyEvent>

WordMover::WordMover(ActivityScreen &screen)
    : QObject(&screen)
    , m_screen(screen)
{
    for (const auto &[index, word] : screen.Label2)
        word->installEventFilter(this);
}

void WordMover::press(int word)
{
    if (word == m_carried)
        putDown();
    else if (!dropOnBoxOf(word))
        pickUp(word);
}

void WordMover::click(int word)
{
    if (word == m_carried) {
        putDown();
    } else if (!dropOnBoxOf(word)) {
        m_screen.dropWord(word);
        pickUp(word, true);
    }
}

bool WordMover::dropOnBoxOf(int word)
{
    // A word lying in a box covers it, so pressing the word presses the box.
    const int under = m_screen.activity().targetOf(word);
    if (m_carried < 0 || under < 0 || under % 2 != 0)
        return false;
    pressTarget(under);
    return true;
}

void WordMover::pressTarget(int scanIndex)
{
    if (m_carried < 0)
        return;
    const TwipsRect &target = m_screen.activity().target(scanIndex);
    m_screen.carryWord(m_carried, target.left, target.top);
    putDown();
}

void WordMover::cancel()
{
    const int word = m_carried;
    if (word < 0)
        return;
    m_carried = -1;
    showPickedUp(word, false);
    m_screen.carryWord(word, m_home.left, m_home.top);
}

void WordMover::pickUp(int word, bool byPointer)
{
    cancel();
    m_carried = word;
    m_byPointer = byPointer;
    m_home = m_screen.activity().word(word);
    showPickedUp(word, true);
    m_screen.describe();
}

void WordMover::step(int direction)
{
    const DragActivity &activity = m_screen.activity();
    const int count = activity.targetCount();
    const int at = activity.targetOf(m_carried);
    const int next = at < 0 ? (direction > 0 ? 0 : count - 1) : (at + direction + count) % count;
    m_screen.carryWord(m_carried, activity.target(next).left, activity.target(next).top);
}

void WordMover::putDown()
{
    const int word = m_carried;
    m_carried = -1;
    showPickedUp(word, false);
    m_screen.dropWord(word);
}

void WordMover::showPickedUp(int word, bool picked)
{
    // Picked up, a word turns black on yellow and lies over every other word; chosen by a
    // click, it keeps its colours and shows the focus ring.
    Label *label = m_screen.Label2[word];
    const bool recoloured = picked && !m_byPointer;
    label->setForeColor(recoloured ? ScreenParts::black : ScreenParts::yellow);
    label->setBackColor(recoloured ? ScreenParts::yellow : ScreenParts::black);
    FocusMark::keepOn(label, picked && m_byPointer);
    if (picked) {
        label->raise();
        if (m_byPointer)
            label->setFocus(Qt::MouseFocusReason);
    }
}

bool WordMover::eventFilter(QObject *watched, QEvent *event)
{
    if (m_carried < 0 || watched != m_screen.Label2[m_carried])
        return false;
    if (event->type() == QEvent::FocusOut) {
        // A click elsewhere is the screen's to resolve: it may be the one that places the word.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::MouseFocusReason)
            cancel();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    int direction = 0;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Right:
    case Qt::Key_Down:
        direction = 1;
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        direction = -1;
        break;
    case Qt::Key_Escape:
        break;
    default:
        return false;
    }
    // Taken before the screen's shortcuts (Escape for Exit) and the focus chain see them.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (direction == 0)
            cancel();
        else
            step(direction);
    }
    return true;
}
