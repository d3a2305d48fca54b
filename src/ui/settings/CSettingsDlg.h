#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The "Settings" window: MIDI input and its controllers, MIDI output (its port, its
// mapping, and whether the kit sounds too), the audio device, the interpolation, the
// external audio editor, the start-up and confirmation switches, whether samples play at
// their files' own rates, the zoom of the main window, and the sync: who leads the tempo,
// and what Quom sends when it leads. It
// edits the settings in memory, and only when the user presses Ok; any other close
// leaves them as they were. A list with nothing selected (no MIDI ports, an unplugged
// device, a stored value the list lacks) keeps the stored value. Window thread only.
namespace quom {

struct Settings;
class UserPrompts;

class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    // What the machine offers, filled in by the caller.
    struct Choices {
        std::vector<std::string> midiPorts; // in the order the midiInPort setting counts them
        std::vector<std::string> audioDevices; // as the audio stream names them
        std::vector<std::string> midiOutPorts; // in the order the midiOutPort setting counts them
    };

    CSettingsDlg(Settings& settings, const Choices& choices, UserPrompts& prompts, QWidget* parent = nullptr);

    void accept() override;

private:
    void addMidiOut(const Settings& settings, const std::vector<std::string>& ports);
    void addSync(const Settings& settings);
    void chooseAudioEditor();
    void storeAudioDevice();

    Settings& settings_;
    UserPrompts& prompts_;
    std::vector<std::string> audioDevices_;
    QComboBox* midiPort_ = nullptr;
    QComboBox* midiChannel_ = nullptr;
    std::array<QComboBox*, 7> controllers_{}; // in the order of the controller roles
    QComboBox* patternSwitch_ = nullptr;
    QComboBox* interpolation_ = nullptr;
    QComboBox* audioDevice_ = nullptr;
    QLineEdit* audioEditor_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QCheckBox* loadDefaultKit_ = nullptr;
    QCheckBox* confirmationMessages_ = nullptr;
    QCheckBox* ownSampleRate_ = nullptr;
    QComboBox* midiOutPort_ = nullptr; // "None", then the ports
    QComboBox* midiOutMapping_ = nullptr;
    QCheckBox* ownSound_ = nullptr;
    QComboBox* syncSource_ = nullptr;
    QCheckBox* midiClockOut_ = nullptr;
    QCheckBox* transportMaster_ = nullptr;
};

} // namespace quom
