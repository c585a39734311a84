#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class Form;
class QShortcut;
class SpeakerButton;

// Reading a screen aloud for early readers: the read-aloud key F5 and a speaker button below
// Exit read what the screen gives, each part as a sentence, through the speech engine. With
// sound off (soundon other than 1) nothing is heard and the button shows that sound is off.
// A new reading stops the one under way, and speaking stops when the screen is unloaded.
// Where no speech engine is available the button stays hidden and the key does nothing.
class ReadAloud final : public QObject
{
    Q_OBJECT

public:
    // The parts to read, asked for at the moment of reading.
    using Parts = std::function<QStringList()>;

    // Gives screen its read-aloud button and key, owned by the screen.
    static ReadAloud *install(Form &screen, Parts parts);

    // Reads the screen aloud, when sound is on.
    void read();

    // The speaker button, for a screen that orders its Tab round itself.
    QWidget *button() const;

    // "Question 3", "Where does a river start?" -> "Question 3. Where does a river start?"
    static QString sentences(const QStringList &parts);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ReadAloud(Form &screen, Parts parts);

    Parts m_parts;
    SpeakerButton *m_button = nullptr;
    QShortcut *m_key = nullptr;
};
