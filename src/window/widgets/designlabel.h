#pragma once

#include <QLabel>

namespace window {

/// A label as the window's design draws it: optionally sized to fit its caption, with a thin
/// single border, and transparent unless it fills its background itself.
class DesignLabel : public QLabel
{
    Q_OBJECT
public:
    explicit DesignLabel(const QString &caption, QWidget *parent);

    /// A label sized to fit takes the size of its caption at every change, keeping left and top,
    /// once its window is visible; see fitCaption().
    void setSizedToFit(bool on);
    bool isSizedToFit() const { return m_sizedToFit; }
    /// A caption that would reach `right` (a position in the parent) is shown cut short with "…"
    /// before it; the whole caption stays the label's accessible name.
    void setReach(int right);
    /// A one-pixel line in the window-text colour around the label.
    void setBorder(bool on);
    bool hasBorder() const { return m_border; }

    /// QLabel::setText is not virtual: the window holds its labels as DesignLabel so that every
    /// caption change comes through here and can resize the label.
    void setText(const QString &caption);
    /// Takes the size of the caption, when sized to fit and the window is visible. Measuring a
    /// caption loads its font, so a hidden window calls this for its labels as it is shown.
    void fitCaption();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString elided(int width) const;

    QString m_caption;
    int m_reach = 0; ///< 0: no limit
    bool m_sizedToFit = false;
    bool m_border = false;
};

} // namespace window
