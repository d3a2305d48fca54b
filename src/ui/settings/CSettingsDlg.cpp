#include "ui/settings/CSettingsDlg.h"

#include "core/settings/ControllerNames.h"
#include "core/settings/Settings.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/controls/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cstdint>

namespace quom {

namespace {

// A role a MIDI controller can drive, and the setting that holds its controller number.
struct ControllerRole {
    const char* name;
    const char* label;
    std::uint8_t Settings::*setting;
};

constexpr std::array<ControllerRole, 7> kControllerRoles{{
    {"ccTempo", "Tempo", &Settings::ccTempo},
    {"ccX", "Offset X", &Settings::ccX},
    {"ccY", "Offset Y", &Settings::ccY},
    {"ccRotation", "Rotation", &Settings::ccRotation},
    {"ccRed", "Red", &Settings::ccRed},
    {"ccGreen", "Green", &Settings::ccGreen},
    {"ccBlue", "Blue", &Settings::ccBlue},
}};

// MIDI on the left, audio and the rest on the right; a label, then its control.
struct Column {
    int labelX;
    int controlX;
    int controlWidth;
};
constexpr Column kMidiColumn{7, 57, 140};
constexpr Column kAudioColumn{214, 264, 167};
constexpr int kLabelWidth = 48;
constexpr int kRowStep = 16;
constexpr int kControllersY = 45; // a gap sets the controllers apart from port and channel
// MIDI out below MIDI in, and the sync beside it, apart from what is above.
constexpr int kOutY = 164;
constexpr int kOkY = 214;

const QString kDeviceChanged = QStringLiteral(
    "The audio output device has been changed.\nThis change will be reflected the next time you start Quom.");

QStringList texts(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << fromUtf8(item);
    return list;
}

// current outside the list selects nothing.
QComboBox* addList(QDialog* dialog, const char* name, const char* label, const QStringList& items,
    int current, Column column, int y)
{
    auto* box = new QComboBox(dialog);
    box->setObjectName(QString::fromUtf8(name));
    box->addItems(items);
    box->setCurrentIndex(current < items.size() ? current : -1);
    theme::place(box, column.controlX, y, column.controlWidth, 13);
    addStaticText(dialog, QString::fromUtf8(label), column.labelX, y + 2, kLabelWidth)->setBuddy(box);
    return box;
}

QCheckBox* addSwitch(
    QWidget* parent, const char* name, const QString& text, bool on, int y, Column column = kAudioColumn)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setChecked(on);
    theme::place(box, column.controlX, y, column.controlWidth, 10);
    return box;
}

// The device of that exact name, or else the first whose name begins with it, so that
// a stored name cut short still finds its device; -1 when none does. An empty name
// (no default device at start-up) names none, though every name begins with it.
int deviceIndex(const QStringList& devices, const QString& stored)
{
    const int exact = devices.indexOf(stored);
    if (exact >= 0 || stored.isEmpty())
        return exact;
    for (int i = 0; i < devices.size(); ++i) {
        if (devices[i].startsWith(stored, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

// A list with nothing selected leaves the setting as it was.
void storeSelection(const QComboBox* box, std::uint8_t& setting)
{
    if (box->currentIndex() >= 0)
        setting = static_cast<std::uint8_t>(box->currentIndex());
}

} // namespace

CSettingsDlg::CSettingsDlg(Settings& settings, const Choices& choices, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , settings_(settings)
    , prompts_(prompts)
    , audioDevices_(choices.audioDevices)
{
    setWindowTitle(QStringLiteral("Settings"));
    theme::apply(this);
    setFixedSize(theme::dluRect(0, 0, 438, kOkY + 21).size());

    midiPort_ = addList(
        this, "midiInPort", "MIDI port", texts(choices.midiPorts), settings.midiInPort, kMidiColumn, 7);
    QStringList channels;
    for (int channel = 1; channel <= 16; ++channel)
        channels << QString::number(channel);
    midiChannel_ = addList(
        this, "midiInChannel", "MIDI channel", channels, settings.midiInChannel, kMidiColumn, 7 + kRowStep);

    QStringList controllerNames;
    for (const char* name : kControllerNames)
        controllerNames << QString::fromUtf8(name);
    static_assert(kControllerRoles.size() == std::tuple_size_v<decltype(controllers_)>);
    for (std::size_t i = 0; i < kControllerRoles.size(); ++i) {
        const ControllerRole& role = kControllerRoles[i];
        controllers_[i] = addList(this, role.name, role.label, controllerNames, settings.*role.setting,
            kMidiColumn, kControllersY + static_cast<int>(i) * kRowStep);
    }

    const QStringList devices = texts(choices.audioDevices);
    audioDevice_ = addList(this, "audioDevice", "Audio Device", devices,
        deviceIndex(devices, fromUtf8(settings.audioDevice)), kAudioColumn, 7);
    interpolation_ = addList(this, "interpolation", "Interpolation",
        {QStringLiteral("Truncate"), QStringLiteral("Linear"), QStringLiteral("Quadratic")},
        settings.interpolation, kAudioColumn, 7 + kRowStep);

    audioEditor_ = new QLineEdit(fromUtf8(settings.audioEditor), this);
    audioEditor_->setObjectName(QStringLiteral("audioEditor"));
    theme::place(audioEditor_, kAudioColumn.controlX, kControllersY, kAudioColumn.controlWidth - 20, 13);
    addStaticText(this, QStringLiteral("Audio Editor"), kAudioColumn.labelX, kControllersY + 2, kLabelWidth)
        ->setBuddy(audioEditor_);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("browseAudioEditor"));
    theme::place(browse, kAudioColumn.controlX + kAudioColumn.controlWidth - 17, kControllersY, 17, 13);
    connect(browse, &QPushButton::clicked, this, &CSettingsDlg::chooseAudioEditor);

    // Beside the last controller, apart from the switches.
    const int zoomY = kControllersY + 6 * kRowStep;
    zoom_ = new QSpinBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setRange(static_cast<int>(kZoomRange.lowest), static_cast<int>(kZoomRange.highest));
    zoom_->setValue(settings.zoom);
    theme::place(zoom_, kAudioColumn.controlX, zoomY, 40, 13);
    addStaticText(this, QStringLiteral("Zoom"), kAudioColumn.labelX, zoomY + 2, kLabelWidth)->setBuddy(zoom_);

    loadDefaultKit_ = addSwitch(this, "loadDefaultKit", QStringLiteral("Load Default Kit"),
        settings.loadDefaultKit, kControllersY + kRowStep + 4);
    confirmationMessages_ = addSwitch(this, "confirmationMessages", QStringLiteral("Confirmation messages"),
        settings.confirmationMessages, kControllersY + 2 * kRowStep + 4);
    ownSampleRate_ = addSwitch(this, "playSamplesAtOwnRate", QStringLiteral("Play samples at their own rate"),
        settings.playSamplesAtOwnRate, kControllersY + 3 * kRowStep + 4);
    ownSampleRate_->setToolTip(
        tr("Resample files recorded at another rate than 44100 Hz when they load, so that they keep "
           "their pitch and speed. Off, they play as they always have."));

    patternSwitch_
        = addList(this, "patternSwitch", "Switch patterns", {tr("At once"), tr("At the end of the pattern")},
            static_cast<int>(settings.patternSwitch), kAudioColumn, kControllersY + 4 * kRowStep + 8);
    patternSwitch_->setToolTip(tr("While playing, a pattern chosen with the keys, the Patterns window or a "
                                  "program change starts when the playing pattern ends."));

    addMidiOut(settings, choices.midiOutPorts);
    addSync(settings);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    theme::place(ok, 194, kOkY, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CSettingsDlg::accept);
}

void CSettingsDlg::addMidiOut(const Settings& settings, const std::vector<std::string>& ports)
{
    midiOutPort_ = addList(this, "midiOutPort", "MIDI Out", QStringList{tr("None")} + texts(ports),
        settings.midiOutPort + 1, kMidiColumn, kOutY);
    midiOutPort_->setToolTip(tr("Quom's own MIDI Out port is always there for a patchbay to connect; "
                                "the port chosen here is connected to it as well."));
    midiOutMapping_
        = addList(this, "midiOutMapping", "Out mapping", {tr("As the MIDI export"), tr("Notes by row")},
            settings.midiOutMapping, kMidiColumn, kOutY + kRowStep);
    ownSound_ = addSwitch(this, "ownSound", tr("Play the kit's own sound"), settings.ownSound,
        kOutY + 2 * kRowStep + 2, kMidiColumn);
    ownSound_->setToolTip(tr("Off, the pattern only plays the instruments on MIDI Out."));
}

void CSettingsDlg::addSync(const Settings& settings)
{
    auto* group = new QGroupBox(tr("Sync"), this);
    group->setObjectName(QStringLiteral("sync"));
    theme::place(group, kAudioColumn.labelX - 4, kOutY - 10,
        kAudioColumn.controlX + kAudioColumn.controlWidth - kAudioColumn.labelX + 8, 3 * kRowStep + 6);
    // Inside the group, its controls keep the dialog's columns.
    const Column inside{4, kAudioColumn.controlX - kAudioColumn.labelX + 4, kAudioColumn.controlWidth};
    syncSource_ = new QComboBox(group);
    syncSource_->setObjectName(QStringLiteral("syncSource"));
    syncSource_->addItems({tr("Internal"), tr("MIDI clock"), tr("JACK transport"), tr("Link")});
    syncSource_->setCurrentIndex(static_cast<int>(settings.syncSource));
    syncSource_->setToolTip(tr("Who leads the tempo and the position: Quom, or the program it follows. "
                               "Heard from the next start."));
    theme::place(syncSource_, inside.controlX, 10, inside.controlWidth, 13);
    addStaticText(group, tr("Follow"), inside.labelX, 12, kLabelWidth)->setBuddy(syncSource_);
    midiClockOut_ = addSwitch(
        group, "midiClockOut", tr("Send MIDI clock"), settings.midiClockOut, 10 + kRowStep + 2, inside);
    midiClockOut_->setToolTip(tr("While Quom leads and plays, MIDI Out carries its clock."));
    transportMaster_ = addSwitch(group, "transportMaster", tr("Be JACK's timebase master"),
        settings.transportMaster, 10 + 2 * kRowStep, inside);
    transportMaster_->setToolTip(tr("Quom writes JACK's bars and tempo and starts its transport. Heard from "
                                    "the next start."));
}

void CSettingsDlg::chooseAudioEditor()
{
    // A bare program name ("audacity") has no folder to start in.
    const QString current = audioEditor_->text();
    const QString folder = current.contains(QLatin1Char('/')) ? QFileInfo(current).path() : QString();
    const QString path = prompts_.openFile(
        this, {tr("Choose the audio editor"), folder, QStringLiteral("Programs (*)"), {}});
    if (!path.isEmpty())
        audioEditor_->setText(path);
}

void CSettingsDlg::storeAudioDevice()
{
    const int index = audioDevice_->currentIndex();
    if (index < 0 || audioDevices_[static_cast<std::size_t>(index)] == settings_.audioDevice)
        return;
    settings_.audioDevice = audioDevices_[static_cast<std::size_t>(index)];
    // The stream stays on its device until the next start.
    prompts_.message(this, kDeviceChanged, QStringLiteral("Quom"));
}

void CSettingsDlg::accept()
{
    for (std::size_t i = 0; i < kControllerRoles.size(); ++i)
        storeSelection(controllers_[i], settings_.*kControllerRoles[i].setting);
    storeSelection(midiPort_, settings_.midiInPort);
    storeSelection(midiChannel_, settings_.midiInChannel);
    storeAudioDevice();
    storeSelection(interpolation_, settings_.interpolation);
    if (patternSwitch_->currentIndex() >= 0)
        settings_.patternSwitch = static_cast<PatternSwitch>(patternSwitch_->currentIndex());
    settings_.audioEditor = utf8(audioEditor_->text());
    settings_.zoom = zoom_->value();
    settings_.loadDefaultKit = loadDefaultKit_->isChecked();
    settings_.confirmationMessages = confirmationMessages_->isChecked();
    settings_.playSamplesAtOwnRate = ownSampleRate_->isChecked();
    if (midiOutPort_->currentIndex() >= 0)
        settings_.midiOutPort = midiOutPort_->currentIndex() - 1;
    storeSelection(midiOutMapping_, settings_.midiOutMapping);
    settings_.ownSound = ownSound_->isChecked();
    settings_.syncSource = static_cast<SyncSource>(syncSource_->currentIndex());
    settings_.midiClockOut = midiClockOut_->isChecked();
    settings_.transportMaster = transportMaster_->isChecked();
    QDialog::accept();
}

} // namespace quom
