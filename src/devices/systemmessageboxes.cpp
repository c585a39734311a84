#include "systemmessageboxes.h"

#include "form.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

MessageBoxes::Result SystemMessageBoxes::show(const QString &text, const QString &caption,
                                              Buttons buttons)
{
    const bool askOkCancel = buttons == Buttons::OkCancel;
    // The box belongs to the screen that asks, which is the one in front; the window manager
    // then keeps the box above that screen. The active window may be none while the window
    // manager moves the focus.
    QPointer<QWidget> owner = Form::front();
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(askOkCancel ? QMessageBox::Question : QMessageBox::Information, caption, text,
                    askOkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(askOkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    // Plain text: worksheet titles typed by a teacher appear in the delete question.
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    // The keyboard goes back to the screen that asked.
    if (owner && owner->isVisible())
        owner->activateWindow();
    if (askOkCancel && pressed != QMessageBox::Ok)
        return Result::Cancel;
    return Result::Ok;
}
