#pragma once

#include <QColor>
#include <QWidget>

namespace window {

/// A filled rectangle drawn on the window, outlined inside its bounds in the window-text colour.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(const QColor &fill, int outlineWidth, QWidget *parent);

    QColor fill() const { return m_fill; }
    int outlineWidth() const { return m_outlineWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    int m_outlineWidth;
};

} // namespace window
