#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The "Settings" window: MIDI input and its controllers, the audio device, the
// interpolation, the external audio editor, the start-up and confirmation switches,
// whether samples play at their files' own rates and the zoom of the main window. It
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
    };

    CSettingsDlg(Settings& settings, const Choices& choices, UserPrompts& prompts, QWidget* parent = nullptr);

    void accept() override;

private:
    void chooseAudioEditor();
    void storeAudioDevice();

    Settings& settings_;
    UserPrompts& prompts_;
    std::vector<std::string> audioDevices_;
    QComboBox* midiPort_ = nullptr;
    QComboBox* midiChannel_ = nullptr;
    std::array<QComboBox*, 7> controllers_{}; // in the order of the controller roles
    QComboBox* interpolation_ = nullptr;
    QComboBox* audioDevice_ = nullptr;
    QLineEdit* audioEditor_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QCheckBox* loadDefaultKit_ = nullptr;
    QCheckBox* confirmationMessages_ = nullptr;
    QCheckBox* ownSampleRate_ = nullptr;
};

} // namespace quom
