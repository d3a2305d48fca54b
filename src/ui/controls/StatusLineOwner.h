#pragma once

class QString;
class QWidget;

namespace quom {

// A window with a status line that its buttons' help texts go to: the main window, and the
// kit editor for its own buttons.
class StatusLineOwner {
public:
    virtual ~StatusLineOwner() = default;
    virtual void showStatusText(const QString& text) = 0;
};

// Shows text in the status line of the nearest window, from widget outwards, that has one.
// Nothing happens when none has.
void showInStatusLine(QWidget* widget, const QString& text);

} // namespace quom
