#pragma once

#include "topicdef.h"

#include <QString>
#include <QStringList>

// The ten topics of the main menu, each read from its folder of topic files (TopicReader)
// the first time any is asked for. A topic whose files have a fault is not offered: its line
// goes once to standard error, and find() gives nullptr for it.
namespace Topics {

// The folder names of the ten topics, in the order the main menu lists them.
const QStringList &names();

// The topic of this name, or nullptr when it has a fault or is not one of the ten.
const TopicDef *find(const QString &name);

// What is wrong with the topic, as one line naming the file, the line or field and the fault;
// empty when it was read.
QString fault(const QString &name);

// Forgets what was read, so that the next question reads every topic again (a change of the
// media root does this by itself).
void reload();

} // namespace Topics
