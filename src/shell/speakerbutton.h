#pragma once

#include "label.h"
#include "twipsrect.h"

// The read-aloud button: a small speaker in the label-button look, yellow on black with a
// single-line border. With sound off the speaker is crossed out, and its tooltip and its
// name to assistive technology say that sound is off.
class SpeakerButton final : public Label
{
    Q_OBJECT

public:
    // The same on every screen that reads aloud: below Exit, where no design puts anything.
    static constexpr TwipsRect rect { 11325, 8520, 480, 375 };

    explicit SpeakerButton(QWidget *parent);
    ~SpeakerButton() override;

    bool soundOn() const { return m_soundOn; }
    void setSoundOn(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_soundOn = true;
};
