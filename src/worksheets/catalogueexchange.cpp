#include "catalogueexchange.h"

#include "filedialogs.h"
#include "importsaving.h"
#include "screenparts.h"
#include "wizardscreen.h"
#include "worksheetexport.h"
#include "worksheetfileerror.h"
#include "worksheetglobals.h"
#include "worksheetimport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace ScreenParts;

namespace CatalogueExchange {

namespace {

const QStringList importFilters { QStringLiteral("GIFT and Moodle XML files (*.gift *.txt *.xml)"),
                                  QStringLiteral("GIFT (*.gift *.txt)"),
                                  QStringLiteral("Moodle XML (*.xml)") };
const QStringList exportFilters { QStringLiteral("GIFT (*.gift)"),
                                  QStringLiteral("Moodle XML (*.xml)") };

// The most skipped questions or warnings the import's box lists before it counts the rest.
constexpr qsizetype listedLines = 8;

// The folder the file dialogs open in: the last one used, else the user's documents.
QString &dialogFolder()
{
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}

void rememberFolder(const QString &path)
{
    dialogFolder() = QFileInfo(path).absolutePath();
}

QString questionCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 question") : QStringLiteral("%1 questions").arg(count);
}

// The lines, no more than listedLines of them, under a heading.
QStringList section(const QString &heading, const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    QStringList shown { QString(), heading };
    shown += lines.first(qMin(lines.size(), listedLines));
    if (lines.size() > listedLines)
        shown += QStringLiteral("... and %1 more.").arg(lines.size() - listedLines);
    return shown;
}

// What the import box says: what was taken and where it went, then what was skipped and
// changed, and why.
QString importSummary(const QString &file, const ImportResult &result,
                      const ImportSaving::Outcome &outcome, bool toWizard)
{
    // Only what was saved, or is open in the wizard, counts as imported.
    int imported = toWizard ? result.worksheets.last().questionCount : 0;
    for (int i = 0; i < outcome.saved; ++i)
        imported += result.worksheets[i].questionCount;
    QStringList lines { QStringLiteral("%1: %2 imported, %3 skipped.")
                            .arg(file, questionCount(imported),
                                 questionCount(result.skipped.size())) };
    for (const auto &[wanted, used] : outcome.renamed)
        lines += QStringLiteral("\"%1\" is already a worksheet, so the new one is called \"%2\".")
                     .arg(wanted, used);
    for (int i = 0; i < outcome.saved; ++i)
        lines += QStringLiteral("\"%1\" is saved in the catalogue.")
                     .arg(result.worksheets[i].draft.title);
    if (!outcome.error.isEmpty())
        lines += (outcome.saved == 0 ? QStringLiteral("Nothing was saved. %1")
                                     : QStringLiteral("The rest was not saved. %1"))
                     .arg(outcome.error);
    if (toWizard) {
        const ImportedWorksheet &last = result.worksheets.last();
        lines += QStringLiteral("\"%1\" (%2) is open in the Multiple Choice Wizard: complete "
                                "it and save it.")
                     .arg(last.draft.title, questionCount(last.questionCount));
    }
    QStringList skipped;
    for (const SkippedQuestion &question : result.skipped)
        skipped += question.toString();
    lines += section(QStringLiteral("Skipped:"), skipped);
    lines += section(QStringLiteral("Changed to fit:"), result.warnings);
    return lines.join(u'\n');
}

} // namespace

void importQuestions(const std::function<void()> &catalogueChanged)
{
    const QString path = FileDialogs::current().openFile(QStringLiteral("Import Questions"),
                                                         dialogFolder(), importFilters);
    if (path.isEmpty())
        return;
    rememberFolder(path);
    const QString file = QFileInfo(path).fileName();
    ImportResult result = WorksheetImport::importFile(path);
    if (result.failed()) {
        message(QStringLiteral("%1 cannot be imported, so nothing was imported.\n\n%2")
                    .arg(file, result.errorText()));
        return;
    }
    if (result.worksheets.isEmpty()) {
        message(importSummary(file, result, {}, false));
        return;
    }
    // Ten questions or fewer are the wizard's to complete; more make worksheets of ten.
    const qsizetype toSave = result.questionsTaken() <= worksheetQuestionCount
        ? 0
        : result.worksheets.size() - (result.leftOver() ? 1 : 0);
    const ImportSaving::Outcome outcome
        = ImportSaving::save(result, int(toSave), showBusyWhileWaiting);
    if (outcome.saved > 0)
        catalogueChanged();
    const bool toWizard = outcome.error.isEmpty() && toSave < result.worksheets.size();
    if (toWizard) {
        wizard->fill(result.worksheets.last().draft);
        wizard->show();
    }
    message(importSummary(file, result, outcome, toWizard));
}

void exportWorksheet(const WorksheetDraft &draft)
{
    int filter = 0;
    const QString path = FileDialogs::current().saveFile(
        QStringLiteral("Export Worksheet"),
        QDir(dialogFolder()).filePath(WorksheetExport::fileName(draft.title, QuestionFormat::Gift)),
        exportFilters, &filter);
    if (path.isEmpty())
        return;
    rememberFolder(path);
    // A name of either format's suffix says which; any other name takes the filter's.
    const QuestionFormat format = questionFormatOf(path).value_or(
        filter == 1 ? QuestionFormat::MoodleXml : QuestionFormat::Gift);
    try {
        WorksheetExport::write(draft, format, path);
    } catch (const WorksheetFileError &error) {
        message(QStringLiteral("There was a problem exporting your worksheet.\n\n%1")
                    .arg(error.message()));
        return;
    }
    message(QStringLiteral("Your worksheet has been exported to %1.")
                .arg(QDir::toNativeSeparators(path)));
}

} // namespace CatalogueExchange
