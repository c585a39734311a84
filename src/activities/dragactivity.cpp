#include "dragactivity.h"

#include "topicreader.h"

namespace {

bool sameCorner(const TwipsRect &a, const TwipsRect &b)
{
    return a.left == b.left && a.top == b.top;
}

} // namespace

DragActivity::DragActivity(const ActivityDef &definition)
{
    const float width = definition.itemWidth;
    const float height = ActivityDef::itemHeight;
    m_words.reserve(definition.boxes.size());
    m_boxes.reserve(definition.boxes.size());
    m_slots.reserve(definition.boxes.size());
    for (const BoxDef &box : definition.boxes) {
        m_words.push_back({ box.wordLeft, box.wordTop, width, height });
        m_boxes.push_back({ box.boxLeft, box.boxTop, width, height });
        m_slots.push_back({ box.wordLeft, box.wordTop, width, height });
    }
}

bool DragActivity::drag(int index, int button, float x, float y)
{
    if (button != 1)
        return false;
    TwipsRect &word = m_words[index];
    word.left = word.left + x - word.width / 2;
    word.top = word.top + y - word.height / 2;
    return true;
}

bool DragActivity::inZone(const TwipsRect &target, float left, float top)
{
    return TopicReader::inDropZone(target, left, top);
}

int DragActivity::drop(int index)
{
    TwipsRect &word = m_words[index];
    int snaps = 0;
    const auto snapTo = [&](const TwipsRect &target) {
        if (!inZone(target, word.left, word.top))
            return;
        word.left = target.left;
        word.top = target.top;
        ++snaps;
    };
    for (int i = 0; i < count(); ++i) {
        snapTo(m_boxes[i]);
        snapTo(m_slots[i]);
    }
    if (placedCount() == count())
        m_checkScoreVisible = true;
    return snaps;
}

int DragActivity::targetOf(int index) const
{
    for (int k = 0; k < targetCount(); ++k)
        if (sameCorner(m_words[index], target(k)))
            return k;
    return -1;
}

std::vector<int> DragActivity::wordsOn(int scanIndex) const
{
    std::vector<int> on;
    for (int i = 0; i < count(); ++i)
        if (sameCorner(m_words[i], target(scanIndex)))
            on.push_back(i);
    return on;
}

void DragActivity::carry(int index, float left, float top)
{
    m_words[index].left = left;
    m_words[index].top = top;
}

int DragActivity::placedCount() const
{
    int placed = 0;
    for (const TwipsRect &word : m_words)
        for (const TwipsRect &box : m_boxes)
            placed += sameCorner(word, box) ? 1 : 0;
    return placed;
}

int DragActivity::score() const
{
    int right = 0;
    for (int i = 0; i < count(); ++i)
        right += sameCorner(m_words[i], m_boxes[i]) ? 1 : 0;
    return right;
}

void DragActivity::startAgain()
{
    for (int i = 0; i < count(); ++i) {
        m_words[i].left = m_slots[i].left;
        m_words[i].top = m_slots[i].top;
    }
    m_checkScoreVisible = false;
}
