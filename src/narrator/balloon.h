#pragma once

#include <QLabel>

namespace narrator {

/// The speech balloon beside the wizard. A label, so that what the wizard says is also there
/// for a screen reader. Like the wizard, it never takes the keyboard focus.
class Balloon final : public QLabel
{
    Q_OBJECT
public:
    explicit Balloon(QWidget *parent);

    /// Opens the balloon, empty, at the size that `whole` will need (up to a few lines).
    void open(const QString &whole);
    /// Shows `text`; when it is too long for the balloon, the beginning gives way to the end.
    void showText(const QString &text);
    /// Stands at the upper right of the wizard, whose window covers `wizard` on the screen.
    void placeBeside(const QRect &wizard);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPainterPath outline() const;
    QRect textArea() const;
    int textHeight(const QString &text) const;

    QRect m_wizard;
};

} // namespace narrator
