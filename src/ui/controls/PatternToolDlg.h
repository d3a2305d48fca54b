#pragma once

#include "core/model/Cell.h"
#include "core/project/PatternLoan.h"

#include <QDialog>

class QPushButton;

// The shape of the windows that change the pattern live while it plays (mutate, colour
// curves, offset colours, the wave sequence, the filters and the camera): they
// keep the pattern as it was when they opened, show every new result at once from it,
// record one undo state when closed with Ok, and put the starting pattern back when
// closed any other way. The pattern is lent to the window while it is open, so that
// nothing else (a MIDI controller) writes under it. Window thread only.
namespace quom {

class Project;

class PatternToolDlg : public QDialog {
    Q_OBJECT

public:
    PatternToolDlg(Project& project, const QString& title, QWidget* parent = nullptr);

    // Ok, Enter: the pattern shown becomes one undoable edit.
    void accept() override;
    // Esc, the close box: the pattern as it was when the window opened.
    void reject() override;

protected:
    Project& project() noexcept { return project_; }
    const Grid& startingPattern() const noexcept { return start_; }
    // Shows cells as the current pattern, to hear them while the window is open.
    void showPattern(const Grid& cells);
    // The window's "Ok" button, the default, at a place in dialog units.
    QPushButton* addOkButton(int x, int y, int width = 50, int height = 14);

private:
    Project& project_;
    const PatternLoan loan_;
    const Grid start_;
};

} // namespace quom
