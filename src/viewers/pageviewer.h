#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"
#include "picturebox.h"
#include "timer.h"

// The page viewer: one to three full-page pictures of a page set (key facts, teacher's notes,
// the introduction) with paging and printing, and the acknowledgments page with its animated
// logo. No sounds, no hover effect.
//
// Opening contract for a page set:
//   1. pagetotal <- the number of pages; 2. pageset <- the set's base name, and pagefolder
//      <- the media folder it lies in ("" or "topics/<name>/");
//   3. teacher->Image1->loadPicture(pagefolder + "wmf\\" + first page file), which creates
//      the screen (its load reads pagetotal), then Image2 from "wmf2\\" + the same file name;
//   4. teacher->show().
// Later pages are pageset + "b.wmf" and "c.wmf" in the same folder; going back to page 1
// loads pageset + "a.wmf".
class PageViewer final : public Form
{
    Q_OBJECT

public:
    PageViewer();
    ~PageViewer() override;

    // Standard frame; a one-page set hides the page indicator and the paging buttons; page 1.
    void Form_Load() override;

    // 0 Print, 1 Exit, 2 Next Page, 3 Previous Page.
    void label3_Click(int index);
    // One step of the logo animation: the next of the twenty frames, logo boxes shown.
    void Timer1_Timer();

    ImageBox *Image1 = nullptr;
    ImageBox *Image2 = nullptr;
    Label *Label1 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };
    PictureBox *Picture1 = nullptr;
    PictureBox *Picture2 = nullptr;
    Timer *Timer1 = nullptr;

private:
    void showPage();
};

extern FormSlot<PageViewer> teacher;
