#pragma once

#include "activitydef.h"

#include <QString>

// A set of pages a topic menu opens in the page viewer: its base name, its number of pages (1
// to 3) and the media folder its pages lie in, "" for the media root or "topics/<name>/" for
// the topic's own folder. Page n of a longer set is folder + "wmf\" + name + "a.wmf" (b, c);
// a one-page set is folder + "wmf\" + name + ".wmf". Each page has a print copy in "wmf2".
struct TopicPageSet
{
    QString name;
    int total = 0;
    QString folder;

    // The file name of the first page, as the opener loads it.
    QString firstPage() const
    {
        return name + (total == 1 ? QStringLiteral(".wmf") : QStringLiteral("a.wmf"));
    }
};

// One topic, as its folder of topic files describes it. Every path is a media path (see
// MediaPath): "topics/<name>/..." for a file of the topic's own folder, else one of the
// program's media.
struct TopicDef
{
    // The folder's name, which is also the name of the topic menu's screen ("rivers1").
    QString name;
    QString title;
    QString picture;
    QString quizPicture;
    QString activityTitle;
    // The built-in worksheet, "topics/<name>/worksheet.txt".
    QString worksheet;
    TopicPageSet keyFacts;
    TopicPageSet teachersNotes;
    ActivityDef labelling;
    ActivityDef ordering;
};
