#include "media.h"
#include "platformchoice.h"

#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A colour at a point (twips) of a screen, or with differs any other colour.
struct Sample
{
    double x, y;
    QRgb rgb;
    bool differs = false;
};

constexpr QRgb blue = qRgb(0, 78, 152);
const QList<Sample> titleLook { { 60, 5890, qRgb(192, 192, 192) } };
const QList<Sample> menuLook { { 5000, 2000, blue }, { 9000, 3000, blue, true } };
const QList<Sample> topicLook { { 6000, 2500, blue, true }, { 10000, 3000, blue } };
const QList<Sample> quizLook { { 6000, 2500, blue }, { 6667, 547, blue, true } };
const QList<Sample> boxLook { { 60, 60, qRgb(239, 239, 239) } };
const QList<Sample> resultsLook { { 2000, 3000, blue }, { 8280, 3240, blue, true } };

// Where to click (in twips on a screen; no screen: Return) and what comes in front.
struct Step
{
    const char *screen;
    double x, y;
    const char *next;
    const QList<Sample> &look;
};

// One X display seen through xcb: the windows, their properties, the focus and the picture.
class XDisplay
{
public:
    explicit XDisplay(const QString &name)
        : m_c(xcb_connect(qPrintable(name), nullptr))
    { }
    ~XDisplay() { xcb_disconnect(m_c); }
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root; }

    template<class Reply, class Cookie>
    auto reply(Reply *(*get)(xcb_connection_t *, Cookie, xcb_generic_error_t **), Cookie cookie)
    {
        return std::unique_ptr<Reply, decltype(&std::free)>(get(m_c, cookie, nullptr), &std::free);
    }
    xcb_atom_t atom(const char *name)
    {
        const auto atom = reply(xcb_intern_atom_reply, xcb_intern_atom(m_c, 0, strlen(name), name));
        return atom ? atom->atom : 0;
    }
    QByteArray property(xcb_window_t window, const char *name)
    {
        const auto value = reply(xcb_get_property_reply,
                                 xcb_get_property(m_c, 0, window, atom(name), 0, 0, 4096));
        return value ? QByteArray(static_cast<const char *>(xcb_get_property_value(value.get())),
                                  xcb_get_property_value_length(value.get()))
                     : QByteArray();
    }
    QList<uint32_t> values(xcb_window_t window, const char *name)
    {
        const QByteArray bytes = property(window, name);
        const auto *first = reinterpret_cast<const uint32_t *>(bytes.constData());
        return { first, first + bytes.size() / 4 };
    }
    bool hasAtom(xcb_window_t window, const char *property, const char *name)
    {
        return values(window, property).contains(atom(name));
    }
    bool managed() { return !values(root(), "_NET_SUPPORTING_WM_CHECK").empty(); }
    QList<xcb_window_t> children(xcb_window_t window)
    {
        const auto tree = reply(xcb_query_tree_reply, xcb_query_tree(m_c, window));
        const xcb_window_t *first = tree ? xcb_query_tree_children(tree.get()) : nullptr;
        return { first, first + (tree ? xcb_query_tree_children_length(tree.get()) : 0) };
    }
    bool viewable(xcb_window_t window)
    {
        const auto attributes
            = reply(xcb_get_window_attributes_reply, xcb_get_window_attributes(m_c, window));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    // The program's windows on show, bottom to top.
    QList<xcb_window_t> stacking()
    {
        if (managed())
            return values(root(), "_NET_CLIENT_LIST_STACKING");
        QList<xcb_window_t> shown = children(root());
        shown.removeIf([this](xcb_window_t window) { return !viewable(window); });
        return shown;
    }
    xcb_window_t focus()
    {
        if (managed())
            return values(root(), "_NET_ACTIVE_WINDOW").value(0);
        const auto focus = reply(xcb_get_input_focus_reply, xcb_get_input_focus(m_c));
        return focus ? focus->focus : 0;
    }
    // The client area on the display.
    QRect rect(xcb_window_t window)
    {
        const auto size = reply(xcb_get_geometry_reply, xcb_get_geometry(m_c, window));
        const auto at = reply(xcb_translate_coordinates_reply,
                              xcb_translate_coordinates(m_c, window, root(), 0, 0));
        return size && at ? QRect(at->dst_x, at->dst_y, size->width, size->height) : QRect();
    }
    QImage screenshot()
    {
        const QRect screen = rect(root());
        const auto image = reply(xcb_get_image_reply,
                                 xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, root(), 0, 0,
                                               screen.width(), screen.height(), ~0u));
        if (!image || xcb_get_image_data_length(image.get()) < screen.width() * screen.height() * 4)
            return QImage();
        return QImage(xcb_get_image_data(image.get()), screen.width(), screen.height(),
                      QImage::Format_RGB32)
            .copy();
    }

private:
    xcb_connection_t *m_c;
};

} // namespace

// The real program walked on its own X server under each common window manager.
class EndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Nothing here touches the user's desktop session.
        m_environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    }

    void pupilWalksTheScreens_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("buttonsKept");
        QTest::newRow("none") << QStringList() << QStringList();
        QTest::newRow("mutter") << QStringList { u"mutter"_s, u"--x11"_s, u"--replace"_s }
                                << QStringList();
        QTest::newRow("metacity") << QStringList { u"metacity"_s, u"--replace"_s } << QStringList();
        // Window buttons a manager offers whatever a client asks.
        QTest::newRow("xfwm4") << QStringList { u"xfwm4"_s, u"--compositor=on"_s }
                               << QStringList { u"_NET_WM_ACTION_CLOSE"_s };
        QTest::newRow("openbox") << QStringList { u"openbox"_s }
                                 << QStringList { u"_NET_WM_ACTION_CLOSE"_s,
                                                  u"_NET_WM_ACTION_MINIMIZE"_s };
        QTest::newRow("kwin") << QStringList { u"kwin_x11"_s, u"--replace"_s }
                              << QStringList { u"_NET_WM_ACTION_MINIMIZE"_s };
    }

    void pupilWalksTheScreens()
    {
        QFETCH(QStringList, command);
        QFETCH(QStringList, buttonsKept);
        m_manager = QString::fromLatin1(QTest::currentDataTag());
        for (const QString &tool :
             QStringList { u"Xvfb"_s, u"xdotool"_s, u"dbus-launch"_s } + command.mid(0, 1)) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(u"%1 is not installed (scripts/test installs it)"_s.arg(tool)));
        }
        m_kept = buttonsKept;
        QProcess xvfb;
        xvfb.start(u"Xvfb"_s,
                   { u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                     u"-nolisten"_s, u"tcp"_s });
        QVERIFY2(xvfb.waitForReadyRead(10000), "Xvfb did not start");
        m_environment.insert(u"DISPLAY"_s, u":"_s + QString::fromLatin1(xvfb.readLine().trimmed()));
        m_x = std::make_unique<XDisplay>(m_environment.value(u"DISPLAY"_s));
        QProcess manager, ondel;
        auto stop = qScopeGuard([&] {
            for (QProcess *process : { &ondel, &manager, &xvfb })
                process->kill(), process->waitForFinished();
        });
        if (!command.isEmpty()) {
            start(manager, QStringList { u"dbus-launch"_s, u"--exit-with-session"_s } + command,
                  { { u"QT_QPA_PLATFORM"_s, u"xcb"_s } });
            QVERIFY2(waitUntil([&] { return m_x->managed(); }), "the window manager did not start");
        }
        // No print job or sound leaves the test; the worksheets are a copy of the shipped ones.
        QTemporaryDir home;
        const auto shipped = TemporaryMedia::shippedWorksheets();
        for (auto it = shipped.cbegin(); it != shipped.cend(); ++it)
            QFile::copy(it.value(), home.filePath(it.key()));
        start(ondel,
              { QCoreApplication::applicationDirPath() + u"/ondel"_s, u"--worksheets"_s,
                home.path() },
              { { u"QT_QPA_PLATFORM"_s, u"xcb"_s },
                { u"HOME"_s, home.path() },
                { u"CUPS_SERVER"_s, u"/nonexistent/cups"_s },
                { u"PULSE_SERVER"_s, u"unix:/nonexistent/pulse"_s } });

        QVERIFY2(inFront("Titlefrm", titleLook), qPrintable(m_why));
        const xcb_window_t backdrop = withRole("Grey");
        QCOMPARE(m_x->rect(backdrop), m_x->rect(m_x->root()));
        for (const char *state :
             { "_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER" })
            QVERIFY2(m_x->hasAtom(backdrop, "_NET_WM_STATE", state), state);
        const Step toTheQuiz[] = {
            { "Grey", 300, 300, "Titlefrm", titleLook }, // the backdrop changes nothing
            { "Titlefrm", 1987, 6097, "intro0", menuLook }, // OK
            { "intro0", 1477, 4387, "rivers1", topicLook }, // Rivers 1
            { "rivers1", 1717, 8167, "multiple", quizLook }, // Multiple Choice
            { "multiple", 9442, 2167, "", boxLook }, // Print Worksheet: the message box
            { nullptr, 0, 0, "multiple", quizLook }, // OK on the box
        };
        QVERIFY2(walk(toTheQuiz), qPrintable(m_why));

        // The covered topic menu brought forward: the quiz comes straight back.
        activate("rivers1");
        QVERIFY2(inFront("multiple", quizLook), qPrintable(m_why));
        click("multiple", 5197, 8167);
        QThread::msleep(1000);
        QVERIFY2(inFront("multiple", quizLook), qPrintable(m_why));
        QCOMPARE(withRole("rivers1lab"), xcb_window_t(0));
        const QList<int> right = correctAnswers();
        QCOMPARE(right.size(), 10);
        for (int q = 1; q <= 10; ++q) {
            const int option = q == 1 ? right[0] % 4 + 1 : right[q - 1];
            click("multiple", 2550, 5400 + 600 * (option - 1) + 262);
            click("multiple", 7882, 8167); // Next Question, at last Check Score
        }
        QVERIFY2(inFront("Welldone", resultsLook), qPrintable(m_why));
        QVERIFY(m_shot.save(screenshotPath(u"quiz_results"_s)));

        const Step backToTheTitle[] = {
            { "Welldone", 11182, 8167, "rivers1", topicLook }, // Exit
            { "rivers1", 11182, 8167, "intro0", menuLook }, // Exit
            { "intro0", 11182, 8167, "Titlefrm", titleLook }, // Exit
        };
        QVERIFY2(walk(backToTheTitle), qPrintable(m_why));
        click("Titlefrm", 3427, 6097); // Exit
        QVERIFY2(ondel.waitForFinished(10000), "the program did not end");
        QCOMPARE(ondel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ondel.exitCode(), 0);
    }

    void waylandSessionAsksForXcb()
    {
        // WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM, and the platform to ask for.
        const QByteArrayList sessions[] = {
            { "wayland-0", ":0", "", "xcb" }, // through XWayland
            { "wayland-0", ":0", "wayland", "" }, // the user's choice wins
            { "wayland-0", "", "", "" }, // no XWayland to go through
            { "", ":0", "", "" }, // X11
        };
        for (const QByteArrayList &session : sessions)
            QCOMPARE(PlatformChoice::forSession(session[0], session[1], session[2]), session[3]);
    }

    // With Qt's Wayland platform installed, only the rule brings the title to the X server.
    void westonShowsTheTitleThroughXWayland()
    {
        for (const QString &tool : { u"weston"_s, u"Xwayland"_s }) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(u"%1 is not installed (scripts/test installs it)"_s.arg(tool)));
        }
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        QProcess weston, ondel;
        auto stop = qScopeGuard([&] {
            for (QProcess *process : { &ondel, &weston })
                process->kill(), process->waitForFinished();
        });
        start(weston,
              { u"weston"_s, u"--backend=headless-backend.so"_s, u"--xwayland"_s,
                u"--socket=ondel"_s },
              {});
        const QRegularExpression listening(u"xserver listening on display (:\\d+)"_s);
        QString log;
        if (!waitUntil([&] {
                weston.waitForReadyRead(100);
                log += QString::fromLocal8Bit(weston.readAllStandardError());
                return listening.match(log).hasMatch();
            }))
            QSKIP(qPrintable(u"weston's headless back end with Xwayland does not run here: "_s
                             + log));
        m_environment.remove(u"QT_QPA_PLATFORM"_s);
        start(ondel, { QCoreApplication::applicationDirPath() + u"/ondel"_s },
              { { u"WAYLAND_DISPLAY"_s, u"ondel"_s },
                { u"DISPLAY"_s, listening.match(log).captured(1) },
                { u"PULSE_SERVER"_s, u"unix:/nonexistent/pulse"_s } });
        XDisplay x(listening.match(log).captured(1));
        QVERIFY2(waitUntil([&] { return mappedWithRole(x, x.root(), "Titlefrm"); }),
                 "the title window did not appear on weston's X server");
    }

private:
    void start(QProcess &process, const QStringList &command,
               const QList<std::pair<QString, QString>> &settings)
    {
        QProcessEnvironment environment = m_environment;
        for (const auto &[name, value] : settings)
            environment.insert(name, value);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QCoreApplication::applicationDirPath());
        process.start(command.first(), command.mid(1));
        QVERIFY2(process.waitForStarted(), qPrintable(command.first()));
    }

    static bool waitUntil(const std::function<bool()> &condition)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > 20000)
                return false;
            QThread::msleep(100);
        }
        return true;
    }

    // Searches through a window manager's frames too.
    static bool mappedWithRole(XDisplay &x, xcb_window_t window, const QByteArray &role)
    {
        if (x.property(window, "WM_WINDOW_ROLE") == role && x.viewable(window))
            return true;
        return std::ranges::any_of(
            x.children(window), [&](xcb_window_t child) { return mappedWithRole(x, child, role); });
    }

    xcb_window_t withRole(const QByteArray &role)
    {
        for (xcb_window_t window : m_x->stacking()) {
            if (m_x->property(window, "WM_WINDOW_ROLE") == role)
                return window;
        }
        return 0;
    }

    QString describe(xcb_window_t window)
    {
        const QByteArray role = m_x->property(window, "WM_WINDOW_ROLE");
        return role.isEmpty() ? u"window 0x%1"_s.arg(window, 0, 16) : QString::fromLatin1(role);
    }

    // Waits for the screen with this role (for no role, the quiz's message box) to be in front.
    bool inFront(const QByteArray &role, const QList<Sample> &look)
    {
        if (waitUntil([&] { return (m_why = whyNotInFront(role, look)).isEmpty(); }))
            return true;
        m_shot.save(screenshotPath(u"failed"_s));
        m_why = u"%1 in front under %2: %3"_s.arg(
            role.isEmpty() ? u"the message box"_s : QString::fromLatin1(role), m_manager, m_why);
        return false;
    }

    QString whyNotInFront(const QByteArray &role, const QList<Sample> &look)
    {
        const QList<xcb_window_t> windows = m_x->stacking();
        if (windows.isEmpty())
            return u"nothing is on show"_s;
        const xcb_window_t window = role.isEmpty() ? windows.back() : withRole(role);
        if (windows.back() != window)
            return describe(windows.back()) + u" is on top"_s;
        const qsizetype backdrop = windows.indexOf(withRole("Grey"));
        if (backdrop < 0 || backdrop >= windows.indexOf(window))
            return u"the backdrop is not below it"_s;
        if (m_x->focus() != window)
            return u"the focus is on "_s + describe(m_x->focus());
        if (role.isEmpty()) {
            const auto owner = m_x->values(window, "WM_TRANSIENT_FOR");
            if (owner.empty() || owner.front() != withRole("multiple")
                || !m_x->hasAtom(window, "_NET_WM_STATE", "_NET_WM_STATE_MODAL"))
                return u"the box on top is not modal to the quiz"_s;
        } else if (role != "Grey") {
            // Motif hints: functions given, none of all, minimise, maximise and close.
            const auto motif = m_x->values(window, "_MOTIF_WM_HINTS");
            if (motif.size() != 5 || !(motif[0] & 1) || (motif[1] & (1 | 8 | 16 | 32)))
                return u"it does not ask for a caption bar without window buttons"_s;
            const auto frame = m_x->values(window, "_NET_FRAME_EXTENTS");
            if (m_x->managed() && (frame.size() != 4 || frame[2] < 10))
                return u"it has no caption bar"_s;
            for (const char *button : { "_NET_WM_ACTION_CLOSE", "_NET_WM_ACTION_MINIMIZE",
                                        "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_RESIZE" }) {
                if (m_x->hasAtom(window, "_NET_WM_ALLOWED_ACTIONS", button)
                    && !m_kept.contains(QLatin1String(button)))
                    return u"the window manager offers "_s + QLatin1String(button);
            }
        }
        m_shot = m_x->screenshot();
        if (m_shot.isNull())
            return u"the display could not be photographed"_s;
        const QRect rect = m_x->rect(window);
        for (const Sample &sample : look) {
            const QPoint point
                = rect.topLeft() + QPoint(qRound(sample.x / 15), qRound(sample.y / 15));
            if ((m_shot.pixel(point) == (sample.rgb | 0xff000000u)) == sample.differs)
                return u"the photograph shows %1 at %2, %3"_s
                    .arg(QColor(m_shot.pixel(point)).name())
                    .arg(point.x())
                    .arg(point.y());
        }
        return QString();
    }

    // Clicks each step's spot (Return for none) and waits for its screen to come in front.
    template<std::size_t N> bool walk(const Step (&steps)[N])
    {
        for (const Step &step : steps) {
            if (step.screen)
                click(step.screen, step.x, step.y);
            else
                xdotool({ u"key"_s, u"Return"_s });
            if (!inFront(step.next, step.look))
                return false;
            if (!*step.next)
                m_shot.save(screenshotPath(u"quiz_message"_s));
        }
        return true;
    }

    // Brings the screen forward with the keyboard, as a window switcher does.
    void activate(const QByteArray &role)
    {
        const QString window = QString::number(withRole(role));
        if (m_x->managed())
            xdotool({ u"windowactivate"_s, window });
        else
            xdotool({ u"windowraise"_s, window, u"windowfocus"_s, window });
    }

    // The correct answers of the built-in worksheet Rivers 1, 1 to 4 for A to D.
    static QList<int> correctAnswers()
    {
        QFile file(TemporaryMedia::shippedWorksheets().value(u"Rivers 1.txt"_s));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QList<QByteArray> lines = file.readAll().split('\n');
        QList<int> answers;
        for (int q = 0; q < 10 && 7 + 7 * q < lines.size(); ++q)
            answers.append(lines[7 + 7 * q].trimmed().toInt());
        return answers;
    }

    // Slower than a double click, as the Exit buttons of the screens lie on one spot.
    void click(const QByteArray &role, double x, double y)
    {
        const QPoint point
            = m_x->rect(withRole(role)).topLeft() + QPoint(qRound(x / 15), qRound(y / 15));
        xdotool({ u"mousemove"_s, QString::number(point.x()), QString::number(point.y()),
                  u"sleep"_s, u"0.5"_s, u"click"_s, u"1"_s });
    }

    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(u"xdotool"_s, arguments);
        process.waitForFinished();
    }

    QString screenshotPath(const QString &what) const
    {
        return u"%1/endtoend_%2_%3.png"_s.arg(QStringLiteral(ONDEL_SCREENSHOT_DIR), m_manager,
                                              what);
    }

    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<XDisplay> m_x;
    QString m_manager;
    QStringList m_kept;
    QString m_why;
    QImage m_shot;
};

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
