#pragma once

#include "twipsrect.h"

#include <QObject>

class ActivityScreen;

// Moving a word without dragging it, by the same rules as a drag. A word is picked up by
// Space or Enter on it, by assistive technology's press action, or by a click or tap; Tab and
// the arrow keys then carry it from target to target in the order a drop scans them (box 0,
// start slot 0, box 1, ...), and Space or Enter drops it where it is. A click, tap or press
// on a box or start slot drops the word picked up there instead. Either way the drop is the
// screen's one drop: the same snap, thud, count and Check Score as a mouse drag. Escape, or
// the focus going to another control, puts a carried word back where it was picked up.
class WordMover final : public QObject
{
public:
    explicit WordMover(ActivityScreen &screen);

    // The word picked up, or -1.
    int carried() const { return m_carried; }

    // Picks the word up, or drops it when it is the one picked up. Another word picked up
    // goes into the box this one lies in, or else back where it was.
    void press(int word);
    // Drops the word picked up onto the target (its index in scan order).
    void pressTarget(int scanIndex);
    // Puts the word picked up back where it was, without a drop.
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pickUp(int word);
    // Carries the word picked up to the next (+1) or previous (-1) target.
    void step(int direction);
    void putDown();
    void showPickedUp(int word, bool picked);

    ActivityScreen &m_screen;
    int m_carried = -1;
    TwipsRect m_home;
};
