#pragma once

#include "controls/StatusLineOwner.h"
#include "pattern/CanvasGeometry.h"
#include "pattern/CommandTable.h"
#include "pattern/KeyTable.h"
#include "pattern/PatternModel.h"
#include "pattern/ToolOptions.h"
#include "pattern/UndoSystem.h"
#include "pattern/UserPrompts.h"

#include <QDialog>

#include <map>
#include <memory>

class QLabel;

// The main window: the canvas, the command buttons, the tempo and volume sliders.
// It owns the music (the pattern model, the undo history, the kit it hands to the
// engine) and runs every command on the window thread. Commands call the core; the
// window only asks the user, shows results and repaints.
namespace quom {

class CanvasTools;
class CBrushButton;
class CKit;
class GUIcolorButton;
class CCommandButton;
class CQuomApp;
class Engine;
class PatternCommands;
class PatternView;
class PlaybackMarker;
class QuomSlider;
class ToolPanels;

class CQuomDlg : public QDialog, public StatusLineOwner {
    Q_OBJECT

public:
    explicit CQuomDlg(CQuomApp& app, QWidget* parent = nullptr);
    ~CQuomDlg() override;

    const CanvasGeometry& geometry() const noexcept { return geometry_; }
    PatternModel& model() noexcept { return model_; }
    UndoSystem& undoHistory() noexcept { return undo_; }
    PatternView& view() noexcept { return *view_; }
    QuomSlider& tempoSlider() noexcept { return *tempo_; }
    QuomSlider& volumeSlider() noexcept { return *volume_; }
    CCommandButton* button(CommandId id) const;
    CBrushButton& gridButton() noexcept { return *grid_; }
    GUIcolorButton& pickedColourSwatch() noexcept { return *pickedColour_; }
    CanvasTools& tools() noexcept { return *tools_; }
    ToolOptions& toolOptions() noexcept { return toolOptions_; }

    // Tests answer in place of the user.
    void setPrompts(std::unique_ptr<UserPrompts> prompts);

    // Runs a command as its button does. False when the command is not available yet.
    bool runCommand(CommandId id);
    bool commandAvailable(CommandId id) const;

    // A file dropped on the window, or named on the command line.
    void openDroppedFile(const QString& path);

    // Commands that take a path, as the file dialogs and drops hand it over.
    void loadProject(const QString& path);
    void loadPattern(const QString& path);
    // Reads a kit file into the current kit; false when the file cannot be read.
    bool loadKit(const std::string& path);

    void showStatusText(const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    using Handler = void (CQuomDlg::*)();

    void buildControls();
    void buildSliders();
    // The drawing tools on the canvas and the commands that reshape the pattern
    // (QuomDlgEditing.cpp).
    void buildEditing();
    void registerHandlers();
    bool handleKey(const QKeyEvent& key);
    void auditionRowUnderMouse();
    void repaintCanvas();
    void recordUndo();
    void stopPlayback();
    void setTempo(int bpm);
    void showError(const QString& format, const QString& path);
    // The engine's kit, or an empty one before any was loaded.
    std::shared_ptr<const CKit> currentKit() const;

    // Commands.
    void newProject();
    void clearPattern();
    void playOrStop();
    void toggleRecording();
    void toggleGrid();
    void about();
    void undo();
    void redo();
    void selectPattern(int slot);

    // File commands (QuomDlgFiles.cpp).
    void loadProjectCommand();
    void saveProject();
    void loadPatternCommand();
    void savePattern();
    void exportMidi();
    void importImage();
    void exportWave();

    CQuomApp& app_;
    Engine& engine_;
    const CanvasGeometry geometry_;
    PatternModel model_;
    UndoSystem undo_;
    std::unique_ptr<UserPrompts> prompts_;
    PatternView* view_ = nullptr;
    ToolOptions toolOptions_;
    CanvasTools* tools_ = nullptr;
    std::unique_ptr<PatternCommands> commands_;
    std::unique_ptr<ToolPanels> panels_;
    QuomSlider* tempo_ = nullptr;
    QuomSlider* volume_ = nullptr;
    CBrushButton* grid_ = nullptr;
    GUIcolorButton* pickedColour_ = nullptr;
    std::map<CommandId, CCommandButton*> buttons_;
    std::map<CommandId, Handler> handlers_;
    PlaybackMarker* marker_ = nullptr;
    int cpuTimer_ = 0;
    int wheelRemainder_ = 0;
};

} // namespace quom
