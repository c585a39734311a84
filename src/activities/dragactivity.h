#pragma once

#include "activitydef.h"

#include <vector>

// The rules of a drag-and-drop activity, without widgets: where each word lies, how a drop
// snaps it into a box or a start slot, when Check Score appears, and the score. Positions are
// single-precision twips and every decision compares them exactly; there is no record of
// which box holds which word.
class DragActivity final
{
public:
    // The design state: every word on its own start slot, Check Score hidden.
    explicit DragActivity(const ActivityDef &definition);

    int count() const { return static_cast<int>(m_words.size()); }
    const TwipsRect &word(int index) const { return m_words[index]; }
    const TwipsRect &box(int index) const { return m_boxes[index]; }
    const TwipsRect &slot(int index) const { return m_slots[index]; }
    bool checkScoreVisible() const { return m_checkScoreVisible; }

    // A pointer move over word index with x, y in twips from its top-left corner. Only the
    // left button alone (button 1) drags: the word's centre goes to the pointer. Nothing
    // bounds the position. Returns whether the word moved.
    bool drag(int index, int button, float x, float y);

    // The release of any button over word index: scans box 0, slot 0, box 1, slot 1, ... and
    // snaps the word's top-left corner to every target whose zone holds it, testing each
    // later target against the snapped position. Then reveals Check Score once every word
    // lies on some box (it never hides it). Returns the number of snaps, one thud each.
    int drop(int index);

    // The drop targets in the order a drop scans them: box 0, start slot 0, box 1, ...
    int targetCount() const { return 2 * count(); }
    const TwipsRect &target(int scanIndex) const
    {
        return scanIndex % 2 == 0 ? m_boxes[scanIndex / 2] : m_slots[scanIndex / 2];
    }
    // The first target, in scan order, with word index's corner exactly on its own; -1 if none.
    int targetOf(int index) const;
    // The words with their corner exactly on the target's, in index order.
    std::vector<int> wordsOn(int scanIndex) const;

    // Puts word index's corner at (left, top) without dropping it, as dragging it there
    // would; drop() then resolves it by the same rules as any other drop.
    void carry(int index, float left, float top);

    // Whether a word whose top-left corner is at (left, top) lies in target's zone: half the
    // target's size before its corner and its full size after, all edges outside.
    static bool inZone(const TwipsRect &target, float left, float top);

    // The pairs (word i, box j) with word i's corner exactly on box j's.
    int placedCount() const;
    // The words lying exactly on their own box.
    int score() const;

    // Every word back on its own start slot; Check Score hidden.
    void startAgain();

private:
    std::vector<TwipsRect> m_words;
    std::vector<TwipsRect> m_boxes;
    std::vector<TwipsRect> m_slots;
    bool m_checkScoreVisible = false;
};
