#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"

// The teachers' guide: three pages of guidance text (printable), then six answer pages, each
// an answer picture drawn as the screen's own background under a title. The page table says
// what each page sets; what it leaves unchanged stays as the previous page left it. The
// pointer over the free area puts the buttons out, and nothing lights them again.
//
// Opening (main menu): guide->Image1 from "wmf\\guide1.wmf" (creates the screen), Image2 from
// "wmf2\\guide1.wmf", pagenum <- 1, guide->show().
class GuideViewer final : public Form
{
    Q_OBJECT

public:
    static constexpr int pageCount = 9;

    GuideViewer();
    ~GuideViewer() override;

    // The standard frame, nothing else.
    void Form_Load() override;

    // 0 Print, 1 Exit, 2 Next Page, 3 Previous Page.
    void label3_Click(int index);

    Label *Label2 = nullptr;
    ImageBox *Image1 = nullptr;
    ImageBox *Image2 = nullptr;
    Label *Label1 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };

private:
    // Applies the row of page pagenum column by column, then the page indicator.
    void showPage();
};

extern FormSlot<GuideViewer> guide;
