#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A line control: a straight line between two points given in twips of its container, in a
// colour and a width in pixels. It never takes the mouse: the pointer over a line is over
// whatever lies beneath.
class Line : public QWidget
{
    Q_OBJECT

public:
    explicit Line(QWidget *parent, const QString &name = {});
    ~Line() override;

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setPoints(double x1, double y1, double x2, double y2);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels);

    bool visible() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyGeometry();

    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 0;
    double m_y2 = 0;
    QColor m_color = QColor(0, 0, 0);
    int m_borderWidth = 1;
};
