#include "questionformat.h"

#include <QFileInfo>

std::optional<QuestionFormat> questionFormatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"gift" || suffix == u"txt")
        return QuestionFormat::Gift;
    if (suffix == u"xml")
        return QuestionFormat::MoodleXml;
    return std::nullopt;
}

QString questionFormatSuffix(QuestionFormat format)
{
    return format == QuestionFormat::Gift ? QStringLiteral("gift") : QStringLiteral("xml");
}
