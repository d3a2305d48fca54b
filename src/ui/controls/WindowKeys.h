#pragma once

#include <QObject>

class QDialog;

// Esc and Enter act on a tool window even while one of its sliders has the focus: Esc
// rejects it, Enter accepts it. A slider keeps both from the window it sits in, so that
// they never close the main window; a window that closes on them routes them past its
// sliders with this, and the sliders keep every other key. Made first in the window's
// constructor, it watches every control placed directly on the window after it.
namespace quom {

class WindowKeys : public QObject {
public:
    explicit WindowKeys(QDialog& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& window_;
};

} // namespace quom
