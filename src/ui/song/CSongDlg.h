#pragma once

#include "core/model/Cell.h"
#include "core/model/Song.h"
#include "core/project/Project.h"

#include <QDialog>
#include <QIcon>
#include <QTimer>

#include <array>

class QListWidget;
class QPushButton;
class QSpinBox;

// "Song": the project's song as a list, each entry with its pattern's thumbnail, its
// pattern and its repeats, edited with Add, Remove, Up, Down and Repeats. Each edit is
// one undoable change of the project's song. The list follows the project (an edit, undo
// or redo, a project loaded, the patterns' cells) and, while the window shows, marks the
// entry the transport plays. Modeless: the main window keeps one and raises it.
namespace quom {

class Transport;

class CSongDlg : public QDialog, private ProjectListener {
    Q_OBJECT

public:
    // Both outlive the window.
    CSongDlg(Project& project, const Transport& transport, QWidget* parent = nullptr);
    ~CSongDlg() override;

    // The entry selected (0-based); -1 for none.
    int selectedEntry() const;
    // The entry marked as playing; -1 for none.
    int markedEntry() const noexcept { return marked_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void songChanged() override;
    void patternChanged() override;

    void addCurrentPattern();
    void removeEntry();
    void moveEntry(int by);
    void setRepeats(int repeats);
    // One undoable edit; select is the entry selected once the list shows it.
    void edit(Song song, int select);

    void showSong();
    void showSelection();
    void showPlaying();
    // Draws pattern's thumbnail again when its cells changed; true when it did.
    bool refreshThumbnail(int pattern);

    Project& project_;
    const Transport& transport_;
    QListWidget* entries_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QSpinBox* repeats_ = nullptr;
    QTimer playingPoll_;
    int marked_ = -1;
    // What an edit of this window selects once the list shows its song; -1: the row kept.
    int editedSelection_ = -1;
    // The cells each thumbnail was drawn from, so a pattern edit redraws only what changed.
    struct Thumbnail {
        Grid cells{};
        QIcon icon;
        bool drawn = false;
    };
    std::array<Thumbnail, kPatternSlots> thumbnails_{};
};

} // namespace quom
