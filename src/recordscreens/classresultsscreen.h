#pragma once

#include "classsummary.h"
#include "control.h"
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "optionbutton.h"
#include "recordedresult.h"

#include <QListWidget>
#include <QTableView>

class ResultsGridModel;

// Class Results, the teacher's view of the class record, opened from the Worksheets
// Catalogue: the pupils down the side and the activities across with the latest and best
// scores (ResultsGridModel), today's, this week's or every result. A click on a score (or
// the arrow keys) lists that pupil's attempts at the activity with the questions they got
// wrong. The teacher can print the class sheet (a PDF when there is no printer), export the
// results on show as CSV, and forget a pupil after a confirmation. Exit goes back to the
// catalogue.
class ClassResultsScreen final : public Form
{
    Q_OBJECT

public:
    // The elements of Option1, the filter.
    enum Period { Today = 0, ThisWeek = 1, Everything = 2 };
    // The elements of label3.
    enum Button { Exit = 0, Print = 1, Export = 2, Forget = 3 };

    ClassResultsScreen();
    ~ClassResultsScreen() override;

    // Standard frame, then the record read and every result shown.
    void Form_Load() override;

    void Option1_Click(int index);
    void label3_Click(int index);
    // Lists the attempts of the pupil of row at the activity of column.
    void showAttempts(int row, int column);

    // Reads the record again and shows what the filter lets through.
    void reload();
    const ClassSummary &summary() const;
    // The pupil whose score or name was clicked last; empty when none is.
    QString chosenPupil() const;

    Label *Label1 = nullptr;
    Label *Label3 = nullptr;
    ControlArray<OptionButton> Option1 { QStringLiteral("Option1") };
    Control<QTableView> *Grid1 = nullptr;
    Label *Label4 = nullptr;
    Control<QListWidget> *List1 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };

private:
    void refill();
    // Which results are on show, as the print-out says it.
    QString shownText() const;
    void printSheet();
    void exportResults();
    void forgetPupil();

    ResultsGridModel *m_model = nullptr;
    QList<RecordedResult> m_results;
    Period m_period = Everything;
};

extern FormSlot<ClassResultsScreen> classresults;
