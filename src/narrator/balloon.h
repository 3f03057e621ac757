#pragma once

#include <QLabel>

#include <functional>

namespace narrator {

/// The speech balloon beside the wizard. A label, so that what the wizard says is also there
/// for a screen reader; plain text, never markup. Like the wizard, it never takes the keyboard focus,
/// and like him it is a window of its own or a child of the host he stands in, as `flags` say.
class Balloon final : public QLabel
{
    Q_OBJECT
public:
    Balloon(QWidget *parent, Qt::WindowFlags flags);

    /// Shows the balloon at the size that `whole` will need (up to a few lines), keeping its text.
    void open(const QString &whole);
    /// Shows `text`; when it is too long for the balloon, the beginning gives way to the end.
    void showText(const QString &text);
    /// Stands beside the wizard, who covers `wizard` on the screen, pointing at his mouth,
    /// and as near to there as it can without covering what must be kept clear.
    void placeBeside(const QRect &wizard);
    /// What the balloon must never cover, besides the wizard's face: rectangles on the screen.
    void setKeepClear(std::function<QList<QRect>()> keepClear) { m_keepClear = std::move(keepClear); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPainterPath outline() const;
    QRect textArea() const;
    int textHeight(const QString &text) const;
    void reshape();

    QRect m_wizard;
    std::function<QList<QRect>()> m_keepClear;
    QPoint m_tailTip; ///< where the tail points, in the balloon's own coordinates
};

} // namespace narrator
