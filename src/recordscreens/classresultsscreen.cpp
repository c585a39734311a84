#include "classresultsscreen.h"

#include "classrecord.h"
#include "classsheetprintout.h"
#include "clock.h"
#include "filedialogs.h"
#include "messageboxes.h"
#include "module1.h"
#include "printer.h"
#include "resultsgridmodel.h"
#include "screenparts.h"
#include "worksheetfileerror.h"

#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QStandardPaths>

#include <array>

FormSlot<ClassResultsScreen> classresults("classresults");

using namespace ScreenParts;

namespace {

constexpr LabelDesign titleDesign { tahoma, 24, true, yellow, centre, { 0, 0, 12000, 780 } };
constexpr LabelDesign showDesign { tahoma, 12, true, yellow, flushLeft, { 120, 900, 2535, 315 } };
constexpr std::array<TwipsRect, 3> periodRects { {
    { 2760, 840, 1455, 375 },
    { 4320, 840, 1815, 375 },
    { 6240, 840, 1935, 375 },
} };
constexpr std::array<const char16_t *, 3> periodCaptions { u"Today", u"This Week", u"Everything" };
constexpr TwipsRect gridRect { 120, 1320, 11760, 4320 };
constexpr LabelDesign attemptsDesign { tahoma, 12,        true,
                                       yellow, flushLeft, { 120, 5760, 11760, 375 } };
constexpr TwipsRect attemptsRect { 120, 6120, 11760, 1680 };
// In reading order, which is also the Tab order.
constexpr std::array<ButtonDesign, 4> buttons { {
    { ClassResultsScreen::Print, u"Print Results", { 120, 7920, 2565, 495 } },
    { ClassResultsScreen::Export, u"Export CSV", { 2880, 7920, 2565, 495 } },
    { ClassResultsScreen::Forget, u"Forget Pupil", { 5640, 7920, 2565, 495 } },
    { ClassResultsScreen::Exit, u"Exit", { 10560, 7920, 1245, 495 } },
} };

const QString clickAScore = QStringLiteral("Click a score to see every attempt.");

// The grid and the attempts in the screen's colours: yellow bold Tahoma on black, lines in
// the frame's blue.
const QString gridStyle = QStringLiteral(
    "QAbstractItemView { background-color: black; color: yellow; border: 1px solid black;"
    " gridline-color: rgb(0, 78, 152); selection-background-color: rgb(0, 0, 255);"
    " selection-color: yellow; }"
    "QHeaderView::section { background-color: black; color: yellow; padding: 2px 6px;"
    " border: 1px solid rgb(0, 78, 152); }"
    "QTableCornerButton::section { background-color: black; border: 1px solid rgb(0, 78, 152); }");

QLocale english()
{
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

template<class View> void styleView(View &view)
{
    view.setFont(tahoma.toString(), 9.75, true);
    view.setStyleSheet(gridStyle);
}

} // namespace

ClassResultsScreen::ClassResultsScreen()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("Class Results"), titleDesign);
    Label3 = new Label(this, QStringLiteral("Label3"));
    setupLabel(*Label3, QStringLiteral("Show results from:"), showDesign);
    for (int i = Today; i <= Everything; ++i) {
        OptionButton *option = Option1.create(i, this);
        option->setCaption(QString::fromUtf16(periodCaptions[i]));
        option->setFont(tahoma.toString(), 12, true);
        option->setForeColor(yellow);
        place(*option, periodRects[i]);
    }

    Grid1 = new Control<QTableView>(this, QStringLiteral("Grid1"));
    place(*Grid1, gridRect);
    styleView(*Grid1);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Grid1->setAccessibleName(QStringLiteral("Class results"));
    m_model = new ResultsGridModel(this);
    Grid1->setModel(m_model);
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    showAttempts(current.row(), current.column());
            });

    // A click on a pupil's name chooses their first score.
    connect(Grid1->verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) {
        int column = 0;
        while (column + 1 < m_model->columnCount()
               && summary().cell(row, column).attempts.isEmpty())
            ++column;
        Grid1->setCurrentIndex(m_model->index(row, column));
    });

    Label4 = new Label(this, QStringLiteral("Label4"));
    setupLabel(*Label4, clickAScore, attemptsDesign);
    List1 = new Control<QListWidget>(this, QStringLiteral("List1"));
    place(*List1, attemptsRect);
    styleView(*List1);
    List1->setAccessibleName(QStringLiteral("Attempts"));

    for (const ButtonDesign &design : buttons)
        createButton(label3, design, this);

    Option1.connect(&OptionButton::clicked, this, &ClassResultsScreen::Option1_Click);
    label3.connect(&Label::clicked, this, &ClassResultsScreen::label3_Click);
    ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[Exit]);
}

ClassResultsScreen::~ClassResultsScreen() = default;

void ClassResultsScreen::Form_Load()
{
    formlayout(*this);
    for (const auto &[index, option] : Option1)
        option->setBackColor(layoutBlue);
    Option1[Everything]->setValue(true);
    reload();
}

void ClassResultsScreen::reload()
{
    try {
        m_results = ClassRecord::read().results;
    } catch (const WorksheetFileError &error) {
        m_results.clear();
        message(QStringLiteral("The class results cannot be read.\n\n%1").arg(error.message()));
    }
    refill();
}

void ClassResultsScreen::refill()
{
    const auto period = static_cast<ClassSummary::Period>(m_period);
    m_model->setSummary(
        ClassSummary(m_results, ClassSummary::start(period, Clock::current().now())));
    List1->clear();
    if (summary().pupils().isEmpty())
        Label4->setCaption(m_results.isEmpty() ? QStringLiteral("No results have been kept yet.")
                                               : QStringLiteral("No results from this time."));
    else
        Label4->setCaption(clickAScore);
}

const ClassSummary &ClassResultsScreen::summary() const
{
    return m_model->summary();
}

QString ClassResultsScreen::chosenPupil() const
{
    const QModelIndex current = Grid1->currentIndex();
    return current.isValid() ? summary().pupils().value(current.row()) : QString();
}

void ClassResultsScreen::showAttempts(int row, int column)
{
    const ClassSummary::Column &activity = summary().columns()[column];
    const QString pupil = summary().pupils()[row];
    Label4->setCaption(QStringLiteral("%1: %2, %3").arg(pupil, activity.title, activity.activity));
    List1->clear();
    const QList<int> &attempts = summary().cell(row, column).attempts;
    if (attempts.isEmpty())
        List1->addItem(QStringLiteral("Not done yet."));
    for (int i : attempts) {
        const RecordedResult &result = summary().results()[i];
        QString line = english().toString(result.when, QStringLiteral("dddd d MMMM yyyy, HH:mm"))
            + QStringLiteral(":  %1 out of %2").arg(result.score).arg(result.outof);
        if (!result.wrong.isEmpty()) {
            QStringList numbers;
            for (int question : result.wrong)
                numbers += QString::number(question);
            line += QStringLiteral(";  wrong: questions ") + numbers.join(QStringLiteral(", "));
        }
        List1->addItem(line);
    }
}

void ClassResultsScreen::Option1_Click(int index)
{
    m_period = static_cast<Period>(index);
    refill();
    requestSound(clickSound);
}

void ClassResultsScreen::label3_Click(int index)
{
    requestSound(clickSound);
    switch (index) {
    case Exit:
        unload();
        break;
    case Print:
        printSheet();
        break;
    case Export:
        exportResults();
        break;
    case Forget:
        forgetPupil();
        break;
    }
}

QString ClassResultsScreen::shownText() const
{
    const QDateTime now = Clock::current().now();
    const QString day = QStringLiteral("dddd d MMMM yyyy");
    switch (m_period) {
    case Today:
        return QStringLiteral("Today, ") + english().toString(now.date(), day);
    case ThisWeek:
        return QStringLiteral("This week, from ")
            + english().toString(ClassSummary::start(ClassSummary::Period::ThisWeek, now).date(),
                                 day);
    case Everything:
        break;
    }
    return QStringLiteral("Every result kept, printed on ") + english().toString(now.date(), day);
}

void ClassResultsScreen::printSheet()
{
    Printer &printer = Printer::current();
    try {
        ClassSheetPrintout::print(printer, summary(), shownText());
    } catch (const PrinterError &) {
        message(QStringLiteral("There was a problem printing to your printer."));
        return;
    }
    // Without a printer the sheet became a file, and the box says only that.
    const QString note = printer.savedFileNote(QStringLiteral("the class sheet"));
    message(note.isEmpty() ? QStringLiteral("The class results are now printing.") : note);
}

void ClassResultsScreen::exportResults()
{
    int filter = 0;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = FileDialogs::current().saveFile(
        QStringLiteral("Export Class Results"),
        QDir(folder).filePath(QStringLiteral("Class results.csv")),
        { QStringLiteral("CSV (*.csv)") }, &filter);
    if (path.isEmpty())
        return;
    try {
        ClassRecord::exportResults(summary().results(), path);
    } catch (const WorksheetFileError &error) {
        message(QStringLiteral("There was a problem exporting the class results.\n\n%1")
                    .arg(error.message()));
        return;
    }
    message(QStringLiteral("The class results have been exported to %1.")
                .arg(QDir::toNativeSeparators(path)));
}

void ClassResultsScreen::forgetPupil()
{
    const QString pupil = chosenPupil();
    if (pupil.isEmpty()) {
        message(QStringLiteral("Click a pupil's name or score first."));
        return;
    }
    if (!confirm(QStringLiteral("Are you sure that you want to remove every result of %1? This "
                                "cannot be undone.")
                     .arg(pupil)))
        return;
    try {
        ClassRecord::forget(pupil, Clock::current().now());
    } catch (const WorksheetFileError &error) {
        message(QStringLiteral("The results of %1 could not be removed.\n\n%2")
                    .arg(pupil, error.message()));
        return;
    }
    reload();
    message(QStringLiteral("Every result of %1 has been removed.").arg(pupil));
}
