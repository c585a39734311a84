#include "screenparts.h"

#include "desktop.h"
#include "form.h"
#include "label.h"
#include "messageboxes.h"

#include <QShortcut>

namespace ScreenParts {

void setupButton(Label &label, const QString &caption, const TwipsRect &rect, double points)
{
    label.setButton(true);
    label.setCaption(caption);
    label.setFont(tahoma.toString(), points, true);
    label.setForeColor(yellow);
    label.setBackColor(black);
    label.setBackStyle(BackStyle::Opaque);
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setAlignment(Alignment::Center);
    place(label, rect);
}

Label *createButton(ControlArray<Label> &buttons, const ButtonDesign &design, QWidget *parent)
{
    Label *button = buttons.create(design.index, parent);
    setupButton(*button, design.caption.toString(), design.rect, design.points);
    return button;
}

void setupLabel(Label &label, const QString &caption, const LabelDesign &design)
{
    label.setCaption(caption);
    label.setFont(design.font.toString(), design.points, design.bold);
    label.setForeColor(design.colour);
    label.setBackStyle(BackStyle::Transparent);
    label.setAlignment(design.alignment);
    place(label, design.rect);
}

void exitOnEscape(Form &screen, Label *exitButton)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), &screen);
    QObject::connect(escape, &QShortcut::activated, exitButton, [exitButton] {
        if (exitButton->isVisible())
            exitButton->click();
    });
}

void message(const QString &text)
{
    MessageBoxes::current().show(text, QStringLiteral("Ondel"), MessageBoxes::Buttons::Ok);
}

bool confirm(const QString &question)
{
    return MessageBoxes::current().show(question, QStringLiteral("Ondel"),
                                        MessageBoxes::Buttons::OkCancel)
        == MessageBoxes::Result::Ok;
}

void showBusyWhileWaiting(bool waiting)
{
    Desktop::current().setBusyPointer(waiting);
}

} // namespace ScreenParts
