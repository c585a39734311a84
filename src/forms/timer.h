#pragma once

#include <QObject>
#include <QTimer>

// A timer control: while enabled with an interval above 0 it ticks every interval
// milliseconds. Enabled with 1 ms during a load step, its first tick comes as soon as the
// event loop runs after the screen is shown, which makes it a one-shot "after showing" step
// when the tick handler disables it.
class Timer : public QObject
{
    Q_OBJECT

public:
    explicit Timer(QObject *parent, const QString &name = {});
    ~Timer() override;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }
    // Setting the interval restarts the count; 0 stops the ticks while keeping the flag.
    void setInterval(int milliseconds);

Q_SIGNALS:
    void tick();

private:
    void restart();

    QTimer m_timer;
    bool m_enabled = false;
    int m_interval = 0;
};
