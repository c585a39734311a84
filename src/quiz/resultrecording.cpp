#include "resultrecording.h"

#include "classrecord.h"
#include "clock.h"
#include "screenparts.h"
#include "worksheetfileerror.h"

#include <QDebug>

namespace ResultRecording {

void keep(const QString &title, const QString &activity, int score, int outof,
          const QList<int> &wrongQuestions)
{
    if (ClassRecord::pupil().isEmpty() || !ClassRecord::isOn())
        return;
    const QDateTime now = Clock::current().now();
    // Kept to the second, as the record stores it.
    const QDateTime when = now.addMSecs(-now.time().msec());
    try {
        ClassRecord::keep(
            { ClassRecord::pupil(), title, activity, score, outof, when, wrongQuestions }, now);
    } catch (const WorksheetFileError &error) {
        qWarning().noquote() << "ondel: the class record" << ClassRecord::path()
                             << "cannot be written:" << error.message();
        ScreenParts::message(QStringLiteral("Your score could not be kept for your teacher."));
    }
}

} // namespace ResultRecording
