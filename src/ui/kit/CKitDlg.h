#pragma once

#include "core/kit/Kit.h"
#include "core/kit/KitEdits.h"
#include "ui/controls/StatusLineOwner.h"
#include "ui/kit/KitBuildRunner.h"
#include "ui/kit/KitEditorLayout.h"
#include "ui/kit/SlotFlagPictures.h"

#include <QDialog>
#include <QString>

#include <memory>

// The "Kit Editor": the 64 slots of the kit, one row each, edited in place. A slot
// takes a wave file by a click on its name, its loop and fade flags by clicks on their
// marks, and is cleared by a right click (with the button held, every slot the pointer
// passes). The buttons load, save and clear whole kits and build new ones from chosen
// files, a folder, a random pick from a folder tree, or slices of one long file.
// Every edit reaches the engine at once as a new kit; there is no Cancel. A folder or
// a tree is searched while the window goes on serving its events, with Esc stopping the
// search and keeping the kit; the window takes no other edit meanwhile.
// Window thread only.
namespace quom {

struct AppFolders;
class CCommandButton;
class Project;
struct Settings;
class Transport;
class UserPrompts;

class CKitDlg : public QDialog, public StatusLineOwner {
    Q_OBJECT

public:
    struct Context {
        Project& project; // the kit it names
        Transport& transport; // auditions
        const Settings& settings; // the external audio editor
        AppFolders& folders; // the file windows remember the last path chosen
        UserPrompts& prompts;
        QSize room; // the available area of the screen it opens on
        KitBuildRunner::Clock clock = &std::chrono::steady_clock::now; // paces searches
    };

    explicit CKitDlg(Context context, QWidget* parent = nullptr);
    // Stops the sound Space started.
    ~CKitDlg() override;

    const KitEditorLayout& layout() const noexcept { return layout_; }
    int selectedSlot() const noexcept { return selected_; }
    const QString& statusText() const noexcept { return status_; }
    CCommandButton* button(int commandId) const;
    // Folder or Random is searching or loading.
    bool building() const noexcept { return builds_.running(); }

    // The status line: shown at once, so that progress shows during long work.
    void showStatusText(const QString& text) override;

    // Files chosen with Add, or dropped on the window (handled once the drop has returned,
    // so the program they came from does not wait on a message): each into the first
    // empty slot.
    void addFiles(const QStringList& paths);

    // However the window closes, the sound Space started stops.
    void done(int result) override;

    // The seven buttons' ids.
    static constexpr int kClear = 1016;
    static constexpr int kLoad = 1021;
    static constexpr int kSave = 1022;
    static constexpr int kAdd = 1027;
    static constexpr int kFolder = 1026;
    static constexpr int kRandom = 1025;
    static constexpr int kSlicer = 1024;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildButtons();
    void runButton(int commandId);
    void paintSlot(QPainter& painter, int slot) const;
    // The new kit to the engine.
    void publish();
    void repaintSlots();
    void select(int slot);
    bool handleKey(const QKeyEvent& key);
    void clearSlot(int slot);
    void toggleFlag(int slot, SlotFlag flag, bool everySlot);
    void showMessage(const QString& text);
    void paintFlag(QPainter& painter, SlotFlag flag, bool on, QPoint at) const;

    // Folder and Random (CKitDlgCommands.cpp).
    void startBuild(KitBuild build, const QString& nothingFound);
    void showBuildProgress();
    void finishBuild();
    void cancelBuild();
    void setBusy(bool busy);

    // Slot commands (CKitDlgCommands.cpp).
    void chooseFileForSlot(int slot);
    void openInExternalEditor(int slot);
    void audition(int slot);

    // Buttons (CKitDlgCommands.cpp).
    void clearKitCommand();
    void loadKit();
    void saveKit();
    void addCommand();
    void folderCommand();
    void randomCommand();
    void slicerCommand();

    Project& project_;
    Transport& transport_;
    const Settings& settings_;
    AppFolders& folders_;
    UserPrompts& prompts_;
    const KitEditorLayout layout_;
    CKit kit_;
    int selected_ = -1;
    bool clearDragging_ = false;
    QString status_;
    mutable SlotFlagPictures flagPictures_;
    KitBuildRunner builds_;
    QString nothingFound_; // what the build under way says when it finds no file
};

} // namespace quom
