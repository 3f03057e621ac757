#pragma once

namespace window {

/// Guards the opening of the display. Between construction and release(), a program that finds
/// no usable display says why in one Italian line, followed by Qt's messages, and ends with
/// status 1 instead of Qt's abort; Qt's other messages of that time are held back and passed on
/// at release(), once the display is open.
class DesktopRequired
{
public:
    static constexpr int noDesktopStatus = 1;

    DesktopRequired();
    ~DesktopRequired();
    DesktopRequired(const DesktopRequired &) = delete;
    DesktopRequired &operator=(const DesktopRequired &) = delete;

    /// The display is open: Qt's messages go their usual way again, the held ones first.
    void release();

private:
    bool m_released = false;
};

} // namespace window
