#pragma once

// What the wizard and catalogue tests share: a media root with an empty catalogue and the
// pictures the screens show, worksheets written as the file format has them, typing a
// worksheet into the wizard as a teacher does, and putting every screen away.

#include "testutil.h"

#include "cataloguescreen.h"
#include "mainmenu.h"
#include "module1.h"
#include "quizscreen.h"
#include "resultsscreen.h"
#include "titlescreen.h"
#include "wizardscreen.h"
#include "worksheetdraft.h"
#include "wronganswersscreen.h"

#include <QDir>
#include <QFile>

namespace ScreenFixture {

inline QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// A media root with an empty catalogue and the pictures of the menu, the quiz and the
// results screen, copied from the built media.
class Media : public TestUtil::TemporaryMedia
{
public:
    Media()
    {
        const QDir built(QStringLiteral(ONDEL_BUILT_MEDIA_DIR));
        for (const char16_t *file : { u"images/waterliliessm.jpg", u"images/swan1.jpg" })
            copy(built.filePath(QString::fromUtf16(file)), QString::fromUtf16(file));
        setCatalogue({});
    }

    void setCatalogue(const QStringList &titles) const
    {
        write(QStringLiteral("multiple/track.txt"),
              crlfLines(QStringList { QStringLiteral(" %1 ").arg(titles.size()) } + titles));
    }
    QByteArray catalogueBytes() const { return read(QStringLiteral("multiple/track.txt")); }
    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every file in the worksheets folder, sorted.
    QStringList worksheetFiles() const
    {
        return QDir(path(QStringLiteral("multiple"))).entryList(QDir::Files, QDir::Name);
    }
    void writeWorksheet(const WorksheetDraft &draft) const;
};

// The 72 lines of a worksheet file, commas written as "&".
inline QByteArray worksheetBytes(const WorksheetDraft &draft)
{
    auto escaped = [](QString text) { return text.replace(u',', u'&'); };
    QStringList lines { escaped(draft.title), QStringLiteral(" ") };
    for (int q = 0; q < 10; ++q) {
        lines += escaped(draft.questions[q]);
        QString digit;
        for (int k = 0; k < 4; ++k) {
            lines += escaped(draft.answers[4 * q + k]);
            if (draft.ticks[4 * q + k])
                digit += QString::number(k + 1);
        }
        lines += digit;
        lines += QStringLiteral(" ");
    }
    return crlfLines(lines);
}

inline void Media::writeWorksheet(const WorksheetDraft &draft) const
{
    write(QStringLiteral("multiple/") + draft.title + QStringLiteral(".txt"),
          worksheetBytes(draft));
}

// A whole worksheet with commas in its texts; question q's correct answer is A, B, C, D,
// A, ... so every tick box column is used.
inline WorksheetDraft sampleWorksheet(const QString &title = QStringLiteral("Our River Walk"))
{
    WorksheetDraft draft;
    draft.title = title;
    for (int q = 1; q <= 10; ++q) {
        draft.questions[q - 1] = QStringLiteral("Where, on river walk %1, did we stop?").arg(q);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * (q - 1) + k]
                = QStringLiteral("Bridge %1, stop %2").arg(q).arg(QChar(u'A' + k));
        draft.ticks[4 * (q - 1) + (q - 1) % 4] = true;
    }
    return draft;
}

inline WizardScreen *showWizard()
{
    wizard->show();
    return QTest::qWaitForWindowExposed(wizard.get()) ? wizard.get() : nullptr;
}

inline void clickTick(CheckBox *tick)
{
    TestUtil::click(tick, 8 * Twips::perPixel, tick->height() / 2);
}

// Types text key by key; characters beyond ASCII arrive as an input method delivers them.
inline void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types every box of the worksheet and clicks its ticks, as a teacher fills the wizard.
inline void typeWorksheet(WizardScreen *screen, const WorksheetDraft &draft)
{
    typeText(screen->Text1, draft.title);
    for (int row = 0; row < 10; ++row)
        typeText(screen->Text2[row], draft.questions[row]);
    for (int index = 0; index < 40; ++index) {
        typeText(screen->Text3[index], draft.answers[index]);
        if (draft.ticks[index])
            clickTick(screen->Check1[index]);
    }
}

inline bool sameDraft(const WorksheetDraft &a, const WorksheetDraft &b)
{
    return a.title == b.title && a.questions == b.questions && a.answers == b.answers
        && a.ticks == b.ticks;
}

// Unloads every screen these tests may open and lets the deletions run.
inline void unloadScreens()
{
    worksheets.unload();
    wizard.unload();
    multiple.unload();
    Welldone.unload();
    Wrong.unload();
    intro0.unload();
    Titlefrm.unload();
    TestUtil::processEvents();
}

} // namespace ScreenFixture
