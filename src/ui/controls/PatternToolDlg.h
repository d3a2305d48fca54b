#pragma once

#include "core/model/Cell.h"

#include <QDialog>

class QPushButton;

// The shape of the windows that change the pattern live while it plays (mutate, colour
// curves, offset colours, the wave sequence, and the filters and camera to come): they
// keep the pattern as it was when they opened, show every new result at once from it,
// record one undo state when closed with Ok, and put the starting pattern back when
// closed any other way. Window thread only.
namespace quom {

class Session;

class PatternToolDlg : public QDialog {
    Q_OBJECT

public:
    PatternToolDlg(Session& session, const QString& title, QWidget* parent = nullptr);

    // Ok: the pattern shown becomes one undoable edit.
    void accept() override;
    // Esc, the close box: the pattern as it was when the window opened.
    void reject() override;

protected:
    Session& session() noexcept { return session_; }
    const Grid& startingPattern() const noexcept { return start_; }
    // Shows cells as the current pattern, to hear them while the window is open.
    void showPattern(const Grid& cells);
    // The window's "Ok" button, the default, at a place in dialog units.
    QPushButton* addOkButton(int x, int y, int width = 50, int height = 14);

private:
    Session& session_;
    const Grid start_;
};

} // namespace quom
