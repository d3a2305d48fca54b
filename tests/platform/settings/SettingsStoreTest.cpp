#include "platform/settings/SettingsStore.h"

#include "platform/settings/SettingsFile.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/stat.h>

namespace {

using quom::Settings;

// Points the per-user store at a folder of the test's own, as XDG_CONFIG_HOME would.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    }

    static QSettings store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Caldenor"),
            QStringLiteral("Quom"));
    }

    TempDir dir;
};

TEST_F(SettingsStore, EmptyStoreKeepsEveryDefault)
{
    Settings s;
    s.audioDevice = "default device";
    quom::loadSettings(s);
    Settings expected;
    expected.audioDevice = "default device";
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.audioEditor, "audacity");
    EXPECT_EQ(s.bufferSize, 256);
    EXPECT_EQ(s.ccBlue, 24);
}

TEST_F(SettingsStore, SavingWritesEveryKeyInItsSection)
{
    quom::saveSettings(Settings{});
    EXPECT_TRUE(dir.exists("Caldenor/Quom.conf"));

    auto s = store();
    EXPECT_EQ(s.childGroups(),
        (QStringList{
            "Audio Settings", "General Settings", "MIDI Settings", "Sync Settings", "Video Settings"}));
    s.beginGroup("General Settings");
    EXPECT_EQ(s.childKeys().size(), 6);
    EXPECT_EQ(s.value("confirmation messages").toString(), "1");
    EXPECT_EQ(s.value("default kit").toString(), "1");
    EXPECT_EQ(s.value("zoom").toString(), "0");
    EXPECT_EQ(s.value("switch patterns").toString(), "0") << "at once";
    EXPECT_EQ(s.value("stem files").toString(), "0") << "a file per row";
    EXPECT_EQ(s.value("stem format").toString(), "1") << "16-bit, as the command line's";
    s.endGroup();
    s.beginGroup("Audio Settings");
    EXPECT_EQ(s.childKeys().size(), 6);
    EXPECT_EQ(s.value("buffer size").toInt(), 256);
    EXPECT_EQ(s.value("number of buffers").toInt(), 0);
    EXPECT_EQ(s.value("audio editor").toString(), "audacity");
    EXPECT_EQ(s.value("interpolation").toInt(), 1);
    EXPECT_EQ(s.value("own sample rate").toString(), "0") << "samples play as they always have";
    EXPECT_TRUE(s.contains("audio device"));
    s.endGroup();
    s.beginGroup("MIDI Settings");
    EXPECT_EQ(s.childKeys().size(), 12);
    EXPECT_EQ(s.value("cc x").toInt(), 21);
    EXPECT_EQ(s.value("MIDI OUT port").toInt(), -1) << "no port chosen";
    EXPECT_EQ(s.value("MIDI OUT mapping").toInt(), 0) << "as the MIDI export";
    EXPECT_EQ(s.value("own sound").toString(), "1");
    EXPECT_EQ(s.value("cc tempo").toInt(), 20);
    EXPECT_EQ(s.value("cc green").toInt(), 10);
    EXPECT_EQ(s.value("MIDI IN channel").toInt(), 0);
    s.endGroup();
    s.beginGroup("Sync Settings");
    EXPECT_EQ(s.childKeys(), (QStringList{"clock out", "source", "transport master"}));
    EXPECT_EQ(s.value("source").toInt(), 0) << "Quom keeps its own time";
    EXPECT_EQ(s.value("clock out").toString(), "0");
    EXPECT_EQ(s.value("transport master").toString(), "0");
    s.endGroup();
    s.beginGroup("Video Settings");
    EXPECT_EQ(s.childKeys(), QStringList{"source"});
    EXPECT_EQ(s.value("source").toString(), "") << "the first camera";
}

TEST_F(SettingsStore, ChangedSettingsSurviveARoundTrip)
{
    Settings changed;
    changed.confirmationMessages = false;
    changed.loadDefaultKit = false;
    changed.zoom = -2;
    changed.audioDevice = "USB Audio: hw:1,0 (é)";
    changed.numberOfBuffers = 3;
    changed.bufferSize = 512;
    changed.audioEditor = "/usr/bin/sweep --edit";
    changed.interpolation = 2;
    changed.midiInPort = 1;
    changed.midiInChannel = 15;
    changed.ccX = 1;
    changed.ccY = 2;
    changed.ccRotation = 3;
    changed.ccTempo = 4;
    changed.ccRed = 5;
    changed.ccGreen = 6;
    changed.ccBlue = 127;
    changed.videoSource = "/home/me/Videos/clip é, take 2.avi";
    changed.syncSource = quom::SyncSource::Link;
    changed.midiClockOut = true;
    changed.transportMaster = true;
    quom::saveSettings(changed);

    Settings loaded;
    quom::loadSettings(loaded);
    EXPECT_EQ(loaded, changed);
}

TEST_F(SettingsStore, SwitchesAreOnOnlyForExactlyOne)
{
    {
        auto s = store();
        s.setValue("General Settings/confirmation messages", 2);
        s.setValue("General Settings/default kit", -1);
    }
    Settings loaded;
    quom::loadSettings(loaded);
    EXPECT_FALSE(loaded.confirmationMessages);
    EXPECT_FALSE(loaded.loadDefaultKit);

    store().setValue("General Settings/default kit", 1);
    quom::loadSettings(loaded);
    EXPECT_TRUE(loaded.loadDefaultKit);
}

TEST_F(SettingsStore, ByteSettingsKeepTheLowEightBits)
{
    {
        auto s = store();
        s.setValue("MIDI Settings/cc red", 300);
        s.setValue("MIDI Settings/MIDI IN port", -1);
        s.setValue("Audio Settings/interpolation", 258);
    }
    Settings loaded;
    quom::loadSettings(loaded);
    EXPECT_EQ(loaded.ccRed, 44);
    EXPECT_EQ(loaded.midiInPort, 255);
    EXPECT_EQ(loaded.interpolation, 2);
}

// A number the program cannot use (2147483647 frames per buffer took gigabytes and gave
// silence) is brought into range and reported; the low-8-bits rule comes first.
TEST_F(SettingsStore, NumbersOutOfRangeAreClampedAndListedInTheStoresOrder)
{
    {
        auto s = store();
        s.setValue("General Settings/zoom", INT32_MIN);
        s.setValue("Audio Settings/buffer size", INT32_MAX);
        s.setValue("Audio Settings/number of buffers", -1);
        s.setValue("Audio Settings/interpolation", 7);
        s.setValue("MIDI Settings/MIDI IN channel", 300);
        s.setValue("MIDI Settings/cc x", 200);
        s.setValue("MIDI Settings/cc y", 276); // 20 once its low 8 bits are kept
        s.setValue("MIDI Settings/cc blue", 128);
        s.setValue("Sync Settings/source", 9);
    }
    Settings loaded;
    const auto clamped = quom::loadSettings(loaded).clamped;
    EXPECT_EQ(clamped,
        (std::vector<quom::ClampedSetting>{{"zoom", INT32_MIN, -5}, {"buffer size", INT32_MAX, 8192},
            {"number of buffers", -1, 0}, {"interpolation", 7, 2}, {"MIDI IN channel", 300, 15},
            {"cc x", 200, 128}, {"source", 9, 3}}));
    EXPECT_EQ(loaded.zoom, -5);
    EXPECT_EQ(loaded.bufferSize, 8192);
    EXPECT_EQ(loaded.numberOfBuffers, 0);
    EXPECT_EQ(loaded.interpolation, 2);
    EXPECT_EQ(loaded.midiInChannel, 15);
    EXPECT_EQ(loaded.ccX, 128);
    EXPECT_EQ(loaded.ccY, 20);
    EXPECT_EQ(loaded.ccBlue, 128);
    EXPECT_EQ(loaded.syncSource, quom::SyncSource::Link);

    store().setValue("Audio Settings/buffer size", 15);
    EXPECT_EQ(quom::loadSettings(loaded).clamped.at(1), (quom::ClampedSetting{"buffer size", 15, 16}));
    EXPECT_EQ(loaded.bufferSize, 16);

    // What is saved reads back in range.
    quom::saveSettings(loaded);
    EXPECT_TRUE(quom::loadSettings(loaded).clamped.empty());
}

TEST_F(SettingsStore, UnreadableNumbersKeepTheirDefaults)
{
    {
        auto s = store();
        s.setValue("Audio Settings/buffer size", "lots");
        s.setValue("Audio Settings/number of buffers", 99999999999LL);
        s.setValue("MIDI Settings/cc y", "");
    }
    Settings loaded;
    quom::loadSettings(loaded);
    EXPECT_EQ(loaded.bufferSize, 256);
    EXPECT_EQ(loaded.numberOfBuffers, 0);
    EXPECT_EQ(loaded.ccY, 22);
}

TEST_F(SettingsStore, AStoredQtTypeIsNotRebuilt)
{
    // A damaged binary value that would ask for gigabytes, in an escaped spelling, after
    // another mention on its line, and continued on the next line.
    QFile file(QString::fromStdString(dir.path() + "/Caldenor/Quom.conf"));
    QDir().mkpath(QString::fromStdString(dir.path() + "/Caldenor"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Audio%20Settings]\n"
               "buffer%20size=512\n"
               "audio%20editor=@Variant(\\0\\0\\0\\xBJJJJJJJ\\x)\n"
               "audio%20device=\\x40Variant(\\0\\0\\0\\n)\n"
               "Variant(\\0 midi%20in%20port=@Variant(\\0\\0\\0\\xBJJJJJJJ\\x)\n"
               "number%20of%20buffers=@\\\n"
               "Variant(\\0\\0\\0\\xBJJJJJJJ\\x)\n"
               "[General%20Settings]\n"
               "default%20kit=0\n");
    file.close();

    Settings s;
    quom::loadSettings(s);
    EXPECT_EQ(s.bufferSize, 512);
    EXPECT_FALSE(s.loadDefaultKit);
    EXPECT_EQ(s.audioEditor, Settings{}.audioEditor);
    EXPECT_EQ(s.audioDevice, Settings{}.audioDevice);
}

} // namespace

namespace {

TEST_F(SettingsStore, AFifoADeviceOrAHugeFileIsNeitherReadNorWrittenAndTheRefusalSaysSo)
{
    // QSettings would wait for ever on the FIFO and read /dev/zero until memory ran out.
    const std::string folder = dir.path() + "/Caldenor";
    const std::string path = folder + "/Quom.conf";
    QDir().mkpath(QString::fromStdString(folder));
    const auto make = [&](int which) {
        std::filesystem::remove(path);
        if (which == 0)
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        else if (which == 1)
            std::filesystem::create_symlink("/dev/zero", path);
        else {
            std::ofstream(path) << "[Audio%20Settings]\nbuffer%20size=512\n";
            std::filesystem::resize_file(path, quom::kSettingsFileKind.largest + 1);
        }
    };
    for (int which = 0; which < 3; ++which) {
        make(which);
        Settings s;
        s.audioDevice = "default device";
        const auto refused = quom::loadSettings(s).refused;
        ASSERT_TRUE(refused) << which;
        EXPECT_EQ(refused->message(),
            path + (which < 2 ? " is not a regular file" : " is too large to be a settings file"));
        Settings expected;
        expected.audioDevice = "default device";
        EXPECT_EQ(s, expected);

        quom::saveSettings(Settings{});
        const std::vector<std::filesystem::file_type> untouched{std::filesystem::file_type::fifo,
            std::filesystem::file_type::symlink, std::filesystem::file_type::regular};
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), untouched[static_cast<std::size_t>(which)]);
    }
    std::filesystem::remove(path);
    Settings s;
    EXPECT_FALSE(quom::loadSettings(s).refused) << "no file is no refusal";
}

} // namespace
