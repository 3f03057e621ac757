#pragma once

#include <QIcon>
#include <QPushButton>

namespace window {

/// A button that shows its picture centred above its caption, and another picture while it is
/// held down. The disabled look comes from the icon's Disabled mode.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(const QString &caption, QWidget *parent);

    /// The picture shown while the button is held down; without one, the normal picture stays.
    void setDownPicture(const QIcon &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_downPicture;
};

} // namespace window
