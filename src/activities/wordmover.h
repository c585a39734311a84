#pragma once

#include "twipsrect.h"

#include <QObject>

class ActivityScreen;

// Moving a word without dragging it, by the same rules as a drag. A word is picked up by
// Space or Enter on it or by assistive technology's press action, and turns black on yellow;
// Tab and the arrow keys then carry it from target to target in the order a drop scans them
// (box 0, start slot 0, box 1, ...), and Space or Enter drops it where it is. A click or tap
// on a word is a drop where it lies and also chooses it: it keeps its colours and shows the
// focus ring. A click, tap or press on a box or start slot, or on a word lying in a box,
// then drops the word picked up or chosen there. Either way the drop is the screen's one
// drop: the same snap, thud, count and Check Score as a mouse drag. Escape, or the keyboard
// taking the focus to another control, puts a carried word back where it was picked up.
class WordMover final : public QObject
{
public:
    explicit WordMover(ActivityScreen &screen);

    // The word picked up, or -1.
    int carried() const { return m_carried; }

    // Picks the word up, or drops it when it is the one picked up. Another word picked up
    // goes into the box this one lies in, or else back where it was.
    void press(int word);
    // A click or tap on the word, without moving it: the word chosen drops into the box this
    // one lies in; else this word drops where it lies and is chosen, or let go when it was.
    void click(int word);
    // Drops the word picked up onto the target (its index in scan order).
    void pressTarget(int scanIndex);
    // Puts the word picked up back where it was, without a drop.
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // byPointer: chosen by a click, which keeps the word's colours.
    void pickUp(int word, bool byPointer = false);
    // The word picked up or chosen goes into the box another word lies in; false when that
    // word lies in no box.
    bool dropOnBoxOf(int word);
    // Carries the word picked up to the next (+1) or previous (-1) target.
    void step(int direction);
    void putDown();
    void showPickedUp(int word, bool picked);

    ActivityScreen &m_screen;
    int m_carried = -1;
    bool m_byPointer = false;
    TwipsRect m_home;
};
