#include "focusmark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace {

// Each band of the ring is this wide: black, white (twice), black.
constexpr int band = 1;
constexpr int ringWidth = 4 * band;

// Follows the keyboard's use and the focus, and puts the mark where it belongs.
class Watcher final : public QObject
{
public:
    using QObject::QObject;

    bool keyboard = false;
    QPointer<FocusMark> mark;
    QPointer<QWidget> target;

    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            if (!keyboard) {
                keyboard = true;
                update();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            if (keyboard) {
                keyboard = false;
                update();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (watched == target)
                update();
            break;
        default:
            break;
        }
        return false;
    }
};

Watcher *g_watcher = nullptr;

// Qt takes the Tab focus policy off the unchosen buttons of an option group, so the click
// focus policy is what tells the controls a user reaches.
bool carriesMark(const QWidget *widget)
{
    return widget && !widget->isWindow() && widget->isVisible()
        && (widget->focusPolicy() & Qt::ClickFocus);
}

// The property that keepOn() sets.
constexpr char keptProperty[] = "ondelFocusMarkKept";

} // namespace

FocusMark::FocusMark(QWidget *window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void FocusMark::watch()
{
    if (g_watcher)
        return;
    g_watcher = new Watcher(qApp);
    qApp->installEventFilter(g_watcher);
    QObject::connect(qApp, &QApplication::focusChanged, g_watcher, [](QWidget *, QWidget *now) {
        g_watcher->target = now;
        g_watcher->update();
    });
}

bool FocusMark::keyboardInUse()
{
    return g_watcher && g_watcher->keyboard;
}

void FocusMark::keepOn(QWidget *control, bool kept)
{
    control->setProperty(keptProperty, kept);
    if (g_watcher)
        g_watcher->update();
}

void Watcher::update()
{
    QWidget *control = target;
    if (!carriesMark(control) || !(keyboard || control->property(keptProperty).toBool())) {
        if (mark)
            mark->hide();
        return;
    }
    QWidget *window = control->window();
    if (!mark || mark->parentWidget() != window) {
        delete mark;
        mark = new FocusMark(window);
    }
    const QRect around(control->mapTo(window, QPoint(0, 0)), control->size());
    mark->setGeometry(around.adjusted(-ringWidth, -ringWidth, ringWidth, ringWidth));
    mark->raise();
    mark->show();
}

void FocusMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const auto ring = [&painter](QRect r, int width, const QColor &colour) {
        painter.fillRect(r.left(), r.top(), r.width(), width, colour);
        painter.fillRect(r.left(), r.bottom() - width + 1, r.width(), width, colour);
        painter.fillRect(r.left(), r.top(), width, r.height(), colour);
        painter.fillRect(r.right() - width + 1, r.top(), width, r.height(), colour);
    };
    const QRect r = rect();
    ring(r, band, Qt::black);
    ring(r.adjusted(band, band, -band, -band), 2 * band, Qt::white);
    ring(r.adjusted(3 * band, 3 * band, -3 * band, -3 * band), band, Qt::black);
}
