#include "readaloud.h"

#include "form.h"
#include "module1.h"
#include "speakerbutton.h"
#include "speechengine.h"

#include <QEvent>
#include <QPointer>
#include <QShortcut>

namespace {

// The screen whose reading is the one under way.
QPointer<ReadAloud> g_reading;

} // namespace

ReadAloud::ReadAloud(Form &screen, Parts parts)
    : QObject(&screen)
    , m_parts(std::move(parts))
    , m_button(new SpeakerButton(&screen))
    , m_key(new QShortcut(QKeySequence(Qt::Key_F5), &screen))
{
    // Both wait for the first showing, which asks whether an engine is there.
    m_button->setVisible(false);
    m_key->setEnabled(false);
    connect(m_button, &SpeakerButton::clicked, this, &ReadAloud::read);
    connect(m_key, &QShortcut::activated, this, &ReadAloud::read);
    connect(&screen, &Form::unloaded, this, [this] {
        if (g_reading == this)
            SpeechEngine::current().stop();
    });
    screen.installEventFilter(this);
}

ReadAloud *ReadAloud::install(Form &screen, Parts parts)
{
    return new ReadAloud(screen, std::move(parts));
}

QWidget *ReadAloud::button() const
{
    return m_button;
}

void ReadAloud::read()
{
    m_button->setSoundOn(soundon == 1);
    if (soundon != 1 || !SpeechEngine::current().available())
        return;
    g_reading = this;
    SpeechEngine::current().say(sentences(m_parts()));
}

QString ReadAloud::sentences(const QStringList &parts)
{
    QStringList out;
    for (const QString &part : parts) {
        QString sentence = part.trimmed();
        if (sentence.isEmpty())
            continue;
        if (!QStringView(u".?!:").contains(sentence.back()))
            sentence += u'.';
        out << sentence;
    }
    return out.join(u' ');
}

bool ReadAloud::eventFilter(QObject *, QEvent *event)
{
    // The sound switch is set on the main menu, never while this screen is on show. The
    // engine is made here, the first time a screen that reads aloud is shown, not at start.
    if (event->type() == QEvent::Show) {
        const bool available = SpeechEngine::current().available();
        m_button->setVisible(available);
        m_key->setEnabled(available);
        m_button->setSoundOn(soundon == 1);
    }
    return false;
}
