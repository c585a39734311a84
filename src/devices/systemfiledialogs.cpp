#include "systemfiledialogs.h"

#include "form.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QRegularExpression>

namespace {

// The first suffix a filter names: "gift" for "GIFT (*.gift *.txt)".
QString firstSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

// Runs the dialog over the screen in front and gives it the keyboard back afterwards.
// Returns the file chosen, empty when cancelled.
QString run(QFileDialog &dialog, QWidget *owner)
{
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (owner && owner->isVisible())
        owner->activateWindow();
    return accepted ? dialog.selectedFiles().value(0) : QString();
}

QWidget *owner()
{
    QWidget *front = Form::front();
    return front ? front : QApplication::activeWindow();
}

} // namespace

QString SystemFileDialogs::openFile(const QString &caption, const QString &folder,
                                    const QStringList &filters)
{
    QPointer<QWidget> parent = owner();
    QFileDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    return run(dialog, parent);
}

QString SystemFileDialogs::saveFile(const QString &caption, const QString &suggestedPath,
                                    const QStringList &filters, int *filter)
{
    QPointer<QWidget> parent = owner();
    QFileDialog dialog(parent, caption, suggestedPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // The filter chosen decides the suffix a bare name gets.
    dialog.setDefaultSuffix(firstSuffix(filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString &chosen) { dialog.setDefaultSuffix(firstSuffix(chosen)); });
    const QString path = run(dialog, parent);
    if (filter)
        *filter = int(qMax(qsizetype(0), filters.indexOf(dialog.selectedNameFilter())));
    return path;
}
