#include "ui/settings/CSettingsDlg.h"
#include "core/settings/Settings.h"
#include "support/QtPrinters.h"
#include "ui/controls/FakePrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace quom;

namespace {

class SettingsWindow : public ::testing::Test {
protected:
    void open()
    {
        dialog = std::make_unique<CSettingsDlg>(settings, choices, prompts);
        dialog->show();
    }
    template <typename T = QComboBox> T* control(const char* name)
    {
        return dialog->findChild<T*>(QString::fromUtf8(name));
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void clickOk() { click("ok"); }

    Settings settings;
    CSettingsDlg::Choices choices{{"Midi Through", "Keyboard"}, {"system (2)", "system", "pulse"},
        {"Midi Through:Midi Through Port-0 14:0", "FLUID Synth:Synth input port 128:0"}};
    FakePrompts prompts;
    std::unique_ptr<CSettingsDlg> dialog;
};

TEST_F(SettingsWindow, OpensWithTheStoredValues)
{
    settings.midiInPort = 1;
    settings.ccRed = 3;
    settings.ccGreen = 16;
    settings.ccBlue = 128;
    settings.interpolation = 2;
    open();
    EXPECT_EQ(control("midiInPort")->currentText(), QStringLiteral("Keyboard"));
    EXPECT_EQ(control("midiInChannel")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(control("ccRed")->currentText(), QStringLiteral("3   Undefined"));
    EXPECT_EQ(control("ccGreen")->currentText(), QStringLiteral("16  Gneral Purpose Slider 1"));
    EXPECT_EQ(control("ccBlue")->currentText(), QStringLiteral("------ None ------"));
    EXPECT_EQ(control("interpolation")->currentText(), QStringLiteral("Quadratic"));

    // Every entry's number leads its text, so no name has slipped out of place.
    QComboBox* controllers = control("ccTempo");
    ASSERT_EQ(controllers->count(), 129);
    for (int i = 0; i < 128; ++i)
        EXPECT_TRUE(controllers->itemText(i).startsWith(QStringLiteral("%1").arg(i, -4))) << i;
    EXPECT_EQ(controllers->itemText(0), QStringLiteral("0   Bank Select (coarse)"));
    EXPECT_EQ(controllers->itemText(100), QStringLiteral("100 Registered Parameter (fine)"));

    // The exact name first, then the first name that begins with it whatever the case.
    const std::pair<const char*, int> devices[]
        = {{"system", 1}, {"SYSTEM", 0}, {"system (2)", 0}, {"jack", -1}, {"", -1}};
    for (const auto& [stored, index] : devices) {
        settings.audioDevice = stored;
        open();
        EXPECT_EQ(control("audioDevice")->currentIndex(), index) << stored;
    }
}

TEST_F(SettingsWindow, OkStoresTheSelectionsAndKeepsWhatNoListSelects)
{
    settings.audioDevice = "system";
    open();
    control("ccTempo")->setFocus();
    QTest::keyClick(control("ccTempo"), Qt::Key_End); // no controller
    control("ccX")->setCurrentIndex(5);
    control("ccY")->setCurrentIndex(5); // one controller may drive two roles
    control("midiInChannel")->setCurrentIndex(15);
    control("audioDevice")->setCurrentIndex(2);
    control("audioDevice")->setCurrentIndex(1); // back to the device in use: no message
    auto* confirmations = control<QCheckBox>("confirmationMessages");
    QTest::mouseClick(confirmations, Qt::LeftButton, {}, QPoint(5, confirmations->height() / 2));
    auto* ownRate = control<QCheckBox>("playSamplesAtOwnRate");
    EXPECT_FALSE(ownRate->isChecked()) << "samples play as they always have unless asked";
    QTest::mouseClick(ownRate, Qt::LeftButton, {}, QPoint(5, ownRate->height() / 2));
    clickOk();
    EXPECT_TRUE(settings.playSamplesAtOwnRate);
    EXPECT_EQ(settings.ccTempo, 128);
    EXPECT_EQ(settings.ccX, 5);
    EXPECT_EQ(settings.ccY, 5);
    EXPECT_EQ(settings.midiInChannel, 15);
    EXPECT_FALSE(settings.confirmationMessages);

    choices.midiPorts.clear();
    settings.midiInPort = 3;
    settings.audioDevice = "USB headset"; // unplugged
    settings.ccRed = 200;
    const Settings before = settings;
    open();
    clickOk();
    EXPECT_EQ(settings, before);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsWindow, MidiOutAndSyncOpenAsStoredAndOkStoresThem)
{
    settings.midiOutPort = 1;
    settings.midiOutMapping = 1;
    settings.ownSound = false;
    settings.syncSource = SyncSource::JackTransport;
    settings.midiClockOut = true;
    open();
    EXPECT_EQ(control("midiOutPort")->currentText(), QStringLiteral("FLUID Synth:Synth input port 128:0"));
    EXPECT_EQ(control("midiOutPort")->itemText(0), QStringLiteral("None"));
    EXPECT_FALSE(control("midiOutPort")->toolTip().isEmpty());
    EXPECT_EQ(control("midiOutMapping")->currentText(), QStringLiteral("Notes by row"));
    EXPECT_FALSE(control<QCheckBox>("ownSound")->isChecked());
    EXPECT_EQ(control("syncSource")->currentText(), QStringLiteral("JACK transport"));
    EXPECT_TRUE(control<QCheckBox>("midiClockOut")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("transportMaster")->isChecked());
    EXPECT_EQ(control("patternSwitch")->currentText(), QStringLiteral("At once"));

    control("midiOutPort")->setCurrentIndex(0);
    control("midiOutMapping")->setCurrentIndex(0);
    control<QCheckBox>("ownSound")->setChecked(true);
    control("syncSource")->setCurrentIndex(3);
    control<QCheckBox>("midiClockOut")->setChecked(false);
    control<QCheckBox>("transportMaster")->setChecked(true);
    control("patternSwitch")->setCurrentIndex(1);
    clickOk();
    EXPECT_EQ(settings.midiOutPort, -1);
    EXPECT_EQ(settings.midiOutMapping, 0);
    EXPECT_TRUE(settings.ownSound);
    EXPECT_EQ(settings.syncSource, SyncSource::Link);
    EXPECT_FALSE(settings.midiClockOut);
    EXPECT_TRUE(settings.transportMaster);
    EXPECT_EQ(settings.patternSwitch, PatternSwitch::AtPatternEnd);

    // A port that is not there now (another MIDI system's, or unplugged) stays chosen.
    settings.midiOutPort = 7;
    open();
    EXPECT_EQ(control("midiOutPort")->currentIndex(), -1);
    clickOk();
    EXPECT_EQ(settings.midiOutPort, 7);
}

TEST_F(SettingsWindow, FitsASmallScreenWithNoControlOverAnother)
{
    open();
    EXPECT_LE(dialog->width(), 1024);
    EXPECT_LE(dialog->height(), 568 - 40) << "with room for the title bar";
    std::vector<std::pair<QString, QRect>> placed;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        const bool inSync = child->parentWidget()->objectName() == QStringLiteral("sync");
        if (!child->isVisible() || qobject_cast<QLabel*>(child)
            || (child->parentWidget() != dialog.get() && !inSync))
            continue;
        const QRect rect(child->mapTo(dialog.get(), QPoint(0, 0)), child->size());
        EXPECT_TRUE(dialog->rect().contains(rect)) << child->objectName().toStdString();
        if (child->parentWidget() == dialog.get())
            placed.emplace_back(child->objectName(), rect);
    }
    for (std::size_t a = 0; a < placed.size(); ++a)
        for (std::size_t b = a + 1; b < placed.size(); ++b)
            EXPECT_FALSE(placed[a].second.intersects(placed[b].second))
                << placed[a].first.toStdString() << " and " << placed[b].first.toStdString();
}

TEST_F(SettingsWindow, ANewAudioDeviceBringsAMessage)
{
    settings.audioDevice = "system";
    open();
    control("audioDevice")->setCurrentIndex(2);
    clickOk();
    EXPECT_EQ(settings.audioDevice, "pulse");
    EXPECT_EQ(prompts.messages,
        std::vector<QString>{QStringLiteral("The audio output device has been "
                                            "changed.\nThis change will be reflected "
                                            "the next time you start Quom.")});
}

TEST_F(SettingsWindow, TheAudioEditorIsChosenOrTyped)
{
    settings.audioEditor = "/usr/local/bin/wavedit";
    open();
    click("browseAudioEditor"); // cancelled
    prompts.path = QStringLiteral("/opt/editors/bin/editor");
    click("browseAudioEditor");
    EXPECT_EQ(prompts.requests.at(0).startPath, QStringLiteral("/usr/local/bin"));
    EXPECT_EQ(prompts.requests.at(0).filter, QStringLiteral("Programs (*)"));
    EXPECT_EQ(control<QLineEdit>("audioEditor")->text(), QStringLiteral("/opt/editors/bin/editor"));
    clickOk();
    EXPECT_EQ(settings.audioEditor, "/opt/editors/bin/editor");

    open();
    auto* editor = control<QLineEdit>("audioEditor");
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("myeditor --new"));
    clickOk();
    EXPECT_EQ(settings.audioEditor, "myeditor --new");
}

TEST_F(SettingsWindow, EscapeAndTheCloseBoxStoreNothing)
{
    const Settings before = settings;
    for (const bool escape : {true, false}) {
        open();
        control("ccTempo")->setCurrentIndex(128);
        control("audioDevice")->setCurrentIndex(2);
        control<QLineEdit>("audioEditor")->setText(QStringLiteral("elsewhere"));
        control<QCheckBox>("loadDefaultKit")->setChecked(false);
        if (escape)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            dialog->close();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_EQ(settings, before);
    EXPECT_TRUE(prompts.messages.empty());
}

} // namespace
