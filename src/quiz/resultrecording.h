#pragma once

#include <QList>
#include <QString>

// Keeps what the quiz and the activities score in the class record (ClassRecord).
namespace ResultRecording {

// The activity a quiz is recorded as.
inline const QString quizActivity = QStringLiteral("Multiple Choice");

// Keeps a scored quiz or activity under the name the pupil gave at this start, with the time
// now, when the class record is on and the pupil has given a name; does nothing otherwise.
// When the record cannot be written the pupil is told so in a message box, and the reason
// goes to standard error for the technician.
void keep(const QString &title, const QString &activity, int score, int outof,
          const QList<int> &wrongQuestions = {});

} // namespace ResultRecording
