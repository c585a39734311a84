#include "topics.h"

#include "mediapath.h"
#include "topicreader.h"

#include <QDebug>
#include <QHash>

#include <optional>

namespace {

struct Library
{
    QHash<QString, TopicDef> read;
    QHash<QString, QString> faults;
    // The media root they were read from.
    int mediaRevision = 0;
};

std::optional<Library> g_library;

const Library &library()
{
    if (g_library && g_library->mediaRevision != MediaPath::revision())
        g_library.reset();
    if (!g_library) {
        g_library.emplace();
        g_library->mediaRevision = MediaPath::revision();
        for (const QString &name : Topics::names()) {
            try {
                g_library->read.insert(name, TopicReader::read(name));
            } catch (const TopicFault &fault) {
                g_library->faults.insert(name, fault.text());
                qWarning().noquote() << QStringLiteral("ondel: ") + fault.text();
            }
        }
    }
    return *g_library;
}

} // namespace

namespace Topics {

const QStringList &names()
{
    static const QStringList all {
        QStringLiteral("watercycle"),    QStringLiteral("rivers1"),
        QStringLiteral("rivers2"),       QStringLiteral("precipitation"),
        QStringLiteral("flooding"),      QStringLiteral("waterforlife"),
        QStringLiteral("accesstowater"), QStringLiteral("watersupply1"),
        QStringLiteral("watersupply2"),  QStringLiteral("irrigation"),
    };
    return all;
}

const TopicDef *find(const QString &name)
{
    const auto found = library().read.constFind(name);
    return found == library().read.cend() ? nullptr : &*found;
}

QString fault(const QString &name)
{
    return library().faults.value(name);
}

void reload()
{
    g_library.reset();
}

} // namespace Topics
