#include "systemmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

MessageBoxes::Result SystemMessageBoxes::show(const QString &text, const QString &caption,
                                              Buttons buttons)
{
    const bool askOkCancel = buttons == Buttons::OkCancel;
    QMessageBox box(askOkCancel ? QMessageBox::Question : QMessageBox::Information, caption, text,
                    askOkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(askOkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    // Plain text: worksheet titles typed by a teacher appear in the delete question.
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    if (askOkCancel && pressed != QMessageBox::Ok)
        return Result::Cancel;
    return Result::Ok;
}
