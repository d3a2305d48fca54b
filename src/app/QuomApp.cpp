#include "app/QuomApp.h"

#include "app/WorkRecovery.h"
#include "core/audio/Recorder.h"
#include "core/kit/FileRate.h"
#include "core/kit/StarterKit.h"
#include "platform/jack/JackClient.h"
#include "platform/settings/ApplicationFolder.h"
#include "platform/settings/SettingsStore.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/UserPrompts.h"
#include "ui/main/QuomDlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace quom {

namespace {

// What became of the recordings a crash cut short, for the status line.
QString finishedRecordingsText(const std::vector<FinishedRecording>& recordings)
{
    QStringList finished;
    QStringList failed;
    for (const FinishedRecording& recording : recordings) {
        const QString name = QFileInfo(fromUtf8(recording.path)).fileName();
        (recording.result ? finished : failed).append(name);
    }
    QStringList text;
    if (!finished.isEmpty())
        text.append(QObject::tr("Finished the recording cut short: %1.").arg(finished.join(u", ")));
    if (!failed.isEmpty())
        text.append(QObject::tr("Could not finish the recording: %1.").arg(failed.join(u", ")));
    return text.join(u' ');
}

// Which numbers of the settings file could not be used as they stood, for the status line.
QString clampedSettingsText(const std::vector<ClampedSetting>& clamped)
{
    QStringList sentences;
    for (const ClampedSetting& setting : clamped) {
        sentences.append(QObject::tr("%1 %2 is out of range; %3 is used.")
                             .arg(fromUtf8(setting.key))
                             .arg(setting.stored)
                             .arg(setting.used));
    }
    return sentences.isEmpty() ? QString() : QStringLiteral("Quom.conf: ") + sentences.join(u' ');
}

} // namespace

CQuomApp::CQuomApp() = default;

CQuomApp::~CQuomApp() = default;

void CQuomApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Caldenor"));
    QCoreApplication::setApplicationName(QStringLiteral("Quom"));

    const std::string applicationFolder = chooseApplicationFolder(
        QCoreApplication::applicationDirPath(), QStringLiteral(QUOM_INSTALLED_FOLDER));
    output_.initialise();

    settings_ = Settings{};
    settings_.audioDevice = output_.defaultOutputDeviceName();

    folders_ = buildFolders(applicationFolder);
    const bool firstStart = !QDir(QString::fromStdString(folders_.kitsFolder)).exists();
    DialogPrompts prompts;
    for (const auto& message : createFolders(folders_))
        prompts.message(nullptr, QString::fromStdString(message), QStringLiteral("Quom"));
    // A first start gets sounds to play. Should they not be written, the default kit
    // fails to load as it would without them, and Quom starts silent.
    if (firstStart)
        writeStarterKit(folders_);
    QDir::setCurrent(QString::fromStdString(applicationFolder));

    const SettingsLoad loaded = loadSettings(settings_);
    clampedSettings_ = loaded.clamped;
    if (loaded.refused)
        prompts.message(nullptr,
            QString::fromStdString(loaded.refused->message())
                + QObject::tr("\nQuom starts with the default settings."),
            QStringLiteral("Quom"));

    transport_.applySettings(settings_);
    project_.setFileRate(fileRateOf(settings_));

    // What Quom follows or leads is chosen at start-up, as the ports are.
    jackTransport_ = std::make_unique<JackTransportRole>(settings_, project_.tempoSource());
    output_.setJackClientListener([this](jack_client_t* client) { jackTransport_->setClient(client); });
    if (BlockSyncSource* source = jackTransport_->blockSyncSource()) {
        output_.setBlockSyncSource(source);
        transport_.shareWith(jackTransport_.get());
    }
    output_.open(settings_.audioDevice, settings_.bufferSize, settings_.numberOfBuffers);
    if (settings_.syncSource == SyncSource::MidiClock) {
        // Under Quom's JACK client a clock reaches it on the client's MIDI In, stamped with
        // its frames; otherwise on the sequencer's, stamped with the time it arrives.
        midiClock_ = std::make_unique<MidiClockSync>(
            output_.usesJack() ? MidiClockSync::Timebase::Frames : MidiClockSync::Timebase::HostMicros,
            JackClient::kSampleRate, project_.tempo());
        output_.setClockReceiver(midiClock_.get());
        output_.setBlockSyncSource(midiClock_.get());
        if (!output_.usesJack())
            output_.setClockInbox(&clockInbox_);
    }
    output_.setClockOut(settings_.midiClockOut);
    if (settings_.syncSource == SyncSource::Link) {
        // Its blocks are timed on the clock of the back-end that plays them, whose first
        // client is open by now.
        link_ = std::make_unique<LinkSession>(
            project_.tempo(), output_.usesJack() ? &JackClient::clockMicros : &monotonicMicros);
        link_->enable(true);
        output_.setBlockSyncSource(link_.get());
        transport_.shareWith(link_.get());
    }
    JackMidiIn jack;
    if (output_.usesJack()) {
        jack.take = [this](std::span<std::uint32_t> out) { return output_.takeJackMidiIn(out); };
        jack.sources = [this] { return output_.jackMidiSources(); };
        jack.choose = [this](const std::string& port) { return output_.connectJackMidiIn(port); };
    }
    midi_ = std::make_unique<MidiInput>(std::move(jack));
    if (midiClock_ && !output_.usesJack())
        midi_->setClockInbox(&clockInbox_);
    midiOut_ = std::make_unique<AlsaMidiOut>(output_.midiOutFeed());
}

int CQuomApp::run(const QString& file)
{
    CQuomDlg window({project_, transport_, output_, settings_, folders_, toolOptions_, generators_,
        midi_.get(), midiOut_.get(), midiClock_.get(), link_.get()});
    // The default kit the window loaded is where work starts, not a change.
    project_.markSaved();
    window.show();
    window.openMidiInput();
    window.applyMidiOut();
    QStringList notes{clampedSettingsText(clampedSettings_),
        finishedRecordingsText(finishUnfinishedRecordings(folders_.outputFolder))};
    notes.removeAll(QString());
    window.showStatusText(notes.join(u' '));
    WorkRecovery recovery(project_, transport_, window, folders_.applicationFolder);
    DialogPrompts prompts;
    // The question comes after the file named on the command line: restored work,
    // chosen last, is what the user sees.
    QTimer::singleShot(0, &window, [&window, &recovery, &prompts, file] {
        if (!file.isEmpty())
            window.openDroppedFile(file);
        recovery.start(prompts, file);
    });
    const int status = QApplication::exec();
    // The audio thread reads the project's pattern: stop it before anything goes.
    output_.close();
    return status;
}

void CQuomApp::ExitInstance()
{
    output_.terminate();
    saveSettings(settings_);
}

} // namespace quom
