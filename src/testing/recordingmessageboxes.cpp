#include "recordingmessageboxes.h"

#include <QStringList>

RecordingMessageBoxes::RecordingMessageBoxes()
{
    install(this);
}

RecordingMessageBoxes::~RecordingMessageBoxes() = default;

MessageBoxes::Result RecordingMessageBoxes::show(const QString &text, const QString &caption,
                                                 Buttons buttons)
{
    m_shown.append({ text, caption, buttons });
    return m_answers.isEmpty() ? Result::Ok : m_answers.takeFirst();
}

QStringList RecordingMessageBoxes::texts() const
{
    QStringList result;
    for (const Shown &box : m_shown)
        result.append(box.text);
    return result;
}

RecordingMessageBoxes::Shown RecordingMessageBoxes::last() const
{
    return m_shown.isEmpty() ? Shown() : m_shown.constLast();
}
