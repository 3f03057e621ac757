#pragma once

#include <QIcon>
#include <QWidget>

namespace window {

/// A picture drawn on the window at its control's size, sharp at any screen scale; it takes no
/// input, so clicking it does nothing.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    ImageBox(const QIcon &picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
};

} // namespace window
