#include "focusmark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <array>

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

// Whether a lies above b where the two overlap: the later of the two children of their nearest
// common ancestor is drawn over the earlier.
bool liesAbove(const QWidget *a, const QWidget *b)
{
    for (const QWidget *upper = a; upper && upper->parentWidget(); upper = upper->parentWidget()) {
        const QWidget *common = upper->parentWidget();
        if (!common->isAncestorOf(b))
            continue;
        const QWidget *lower = b;
        while (lower->parentWidget() != common)
            lower = lower->parentWidget();
        const QObjectList &stack = common->children();
        return stack.indexOf(upper) > stack.indexOf(lower);
    }
    return false;
}

enum Side { Left, Top, Right, Bottom };

// The gaps from each side of own to theirs; negative where theirs reaches past that side.
std::array<int, 4> gapsBetween(const QRect &own, const QRect &theirs)
{
    return { own.left() - theirs.right() - 1, own.top() - theirs.bottom() - 1,
             theirs.left() - own.right() - 1, theirs.top() - own.bottom() - 1 };
}

// How far the ring reaches out of the control (own, in window coordinates) on each side: its
// full width where there is room, less where another control or the window's edge is nearer,
// and inwards where a control lying above covers the control's edge. The ring is always drawn
// at full width, so what it cannot take outside it takes from the control itself, and it never
// covers another control. A control that the focused one lies wholly on (a picture under a
// word, a frame) is no neighbour.
QMargins reachOf(const QWidget *control, const QRect &own, const QWidget *window,
                 const QWidget *mark)
{
    const QRect frame = window->rect();
    std::array<int, 4> reach { own.left() - frame.left(), own.top() - frame.top(),
                               frame.right() - own.right(), frame.bottom() - own.bottom() };
    for (int &side : reach)
        side = std::clamp(side, 0, ringWidth);
    const auto ring = [&] {
        return own.marginsAdded({ reach[Left], reach[Top], reach[Right], reach[Bottom] });
    };
    for (const QWidget *other : window->findChildren<QWidget *>()) {
        if (other == mark || other == control || other->window() != window
            || !other->isVisibleTo(window) || control->isAncestorOf(other)
            || other->isAncestorOf(control))
            continue;
        const QRect theirs(other->mapTo(window, QPoint(0, 0)), other->size());
        if (!theirs.intersects(ring()) || theirs.contains(own))
            continue;
        const std::array<int, 4> gap = gapsBetween(own, theirs);
        int side = -1;
        if (gap[Left] < 0 && gap[Right] < 0 && gap[Top] < 0 && gap[Bottom] < 0) {
            // Overlapping: it counts on the side it reaches in from least. One lying beneath
            // leaves the overlap to the control; one above keeps its part.
            const std::array<bool, 4> past { theirs.left() < own.left(), theirs.top() < own.top(),
                                             theirs.right() > own.right(),
                                             theirs.bottom() > own.bottom() };
            for (int s = Left; s <= Bottom; ++s)
                if (past[s] && (side < 0 || gap[s] > gap[side]))
                    side = s;
            if (side >= 0)
                reach[side] = std::min(
                    reach[side], liesAbove(other, control) ? std::max(-ringWidth, gap[side]) : 0);
            continue;
        }
        // Apart from it: the side facing it with the most room gives way, down to that room.
        for (int s = Left; s <= Bottom; ++s)
            if (gap[s] >= 0 && (side < 0 || gap[s] > gap[side]))
                side = s;
        reach[side] = std::min(reach[side], gap[side]);
    }
    return { reach[Left], reach[Top], reach[Right], reach[Bottom] };
}

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
    const QRect own(control->mapTo(window, QPoint(0, 0)), control->size());
    mark->setGeometry(own.marginsAdded(reachOf(control, own, window, mark)));
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
