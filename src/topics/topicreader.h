#pragma once

#include "topicdef.h"
#include "topicfault.h"

#include <QString>

// Reads one topic from its folder of topic files (topic.ini, worksheet.txt, labelling.ini,
// ordering.ini) and checks every field: its kind, its range, that every picture and page it
// names exists, that the worksheet is whole, that every box and start place lies on the
// screen and can be reached by a drop. The folder is the one MediaPath finds for the topic's
// name. Throws TopicFault at the first fault found.
namespace TopicReader {

TopicDef read(const QString &name);

// Whether a word whose top-left corner is at (left, top) lies in target's drop zone: half the
// target's size before its corner and its full size after, all edges outside.
bool inDropZone(const TwipsRect &target, float left, float top);

} // namespace TopicReader
