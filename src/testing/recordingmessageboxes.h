#pragma once

#include "messageboxes.h"

#include <QList>

// Message boxes for tests: shows nothing, remembers every box and answers from a script.
// Installs itself while it lives.
class RecordingMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        Buttons buttons = Buttons::Ok;
    };

    RecordingMessageBoxes();
    ~RecordingMessageBoxes() override;

    // Records the box and returns the next scripted answer, or Ok when the script is used up.
    Result show(const QString &text, const QString &caption, Buttons buttons) override;

    // Answers for the coming boxes, in order.
    void setAnswers(const QList<Result> &answers) { m_answers = answers; }

    const QList<Shown> &shown() const { return m_shown; }
    // The texts of every box shown, oldest first.
    QStringList texts() const;
    // The latest box; a default Shown (empty text) when none was shown.
    Shown last() const;
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<Result> m_answers;
};
