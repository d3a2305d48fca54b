#include "core/midi/MidiControl.h"

#include "core/settings/ControllerNames.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>

namespace quom {
// Readable failures: kind number and the three arguments.
void PrintTo(const MidiAction& action, std::ostream* os)
{
    *os << "{" << static_cast<int>(action.kind) << ", " << action.a << ", " << action.b << ", " << action.c
        << "}";
}
} // namespace quom

namespace {

using quom::MidiAction;
using Kind = quom::MidiAction::Kind;
using Actions = std::vector<MidiAction>;

std::uint32_t controlChange(int controller, int value, int channel = 0)
{
    return static_cast<std::uint32_t>((0xB0 | channel) | controller << 8 | value << 16);
}

std::uint32_t programChange(int program, int channel = 0)
{
    return static_cast<std::uint32_t>((0xC0 | channel) | program << 8);
}

TEST(MidiControl, ProgramChangesSelectTheFirstSixteenPatternsOnTheChosenChannel)
{
    quom::Settings settings;
    settings.midiInChannel = 9;
    quom::MidiControl control;
    EXPECT_EQ(control.handle(programChange(0, 9), settings), (Actions{{Kind::SelectPattern, 0}}));
    EXPECT_EQ(control.handle(programChange(15, 9), settings), (Actions{{Kind::SelectPattern, 15}}));
    EXPECT_TRUE(control.handle(programChange(16, 9), settings).empty());
    EXPECT_TRUE(control.handle(programChange(1, 0), settings).empty());

    // Notes, system messages and other channels carry nothing to act on, even with a
    // data byte that names a controller.
    settings.midiInChannel = 0;
    for (std::uint32_t message : {0x7F0790u, 0x7F07F0u, 0x7F07B1u})
        EXPECT_TRUE(control.handle(message, settings).empty()) << std::hex << message;
}

TEST(MidiControl, RelativeControllersMoveByTheDifferenceFromTheirLastValue)
{
    const quom::Settings settings;
    quom::MidiControl control;
    // Every first value is only a reference.
    for (int cc : {settings.ccX, settings.ccY, settings.ccRed, settings.ccGreen, settings.ccBlue})
        EXPECT_TRUE(control.handle(controlChange(cc, 10), settings).empty()) << "controller " << cc;

    EXPECT_EQ(control.handle(controlChange(settings.ccRed, 20), settings),
        (Actions{{Kind::OffsetColors, 20, 0, 0}}));
    EXPECT_EQ(control.handle(controlChange(settings.ccGreen, 0), settings),
        (Actions{{Kind::OffsetColors, 0, -20, 0}}));
    EXPECT_EQ(control.handle(controlChange(settings.ccBlue, 127), settings),
        (Actions{{Kind::OffsetColors, 0, 0, 234}}));
    EXPECT_EQ(control.handle(controlChange(settings.ccY, 20), settings), (Actions{{Kind::Scroll, 0, 5}}));
    // Two values share a column: no move.
    EXPECT_TRUE(control.handle(controlChange(settings.ccY, 21), settings).empty());

    EXPECT_EQ(control.handle(controlChange(settings.ccX, 0), settings), (Actions{{Kind::Scroll, -5, 0}}));
    EXPECT_EQ(control.handle(controlChange(settings.ccX, 127), settings), (Actions{{Kind::Scroll, 63, 0}}));
}

TEST(MidiControl, TempoSpansTheSliderRangeAndActsFromTheFirstValue)
{
    const quom::Settings settings;
    quom::MidiControl control;
    for (auto [value, bpm] : {std::pair{0, 1}, {64, 177}, {126, 348}, {127, 350}})
        EXPECT_EQ(control.handle(controlChange(settings.ccTempo, value), settings),
            (Actions{{Kind::SetTempo, bpm}}));
}

// Sends value after value to the rotation controller and returns the quarter turns
// each one asked for.
std::vector<int> turns(quom::MidiControl& control, const std::vector<int>& values)
{
    const quom::Settings settings;
    std::vector<int> result;
    for (int value : values) {
        const Actions actions = control.handle(controlChange(settings.ccRotation, value), settings);
        EXPECT_TRUE(actions.empty() || (actions.size() == 1 && actions[0].kind == Kind::Rotate));
        result.push_back(actions.empty() ? 0 : actions[0].a);
    }
    return result;
}

TEST(MidiControl, RotationTurnsAQuarterEachTimeTheKnobCrossesNinetyDegreesFromItsFirstValue)
{
    quom::MidiControl fromZero;
    EXPECT_EQ(turns(fromZero, {0, 31, 32, 31, 32, 63, 64, 127, 0}),
        (std::vector<int>{0, 0, 1, -1, 1, 0, 1, 1, -3}));

    // Truncation toward zero makes quarter 0 twice as wide: 33..95 about an origin of 64.
    quom::MidiControl fromMiddle;
    EXPECT_EQ(
        turns(fromMiddle, {64, 33, 95, 96, 95, 32, 33, 0}), (std::vector<int>{0, 0, 0, 1, -1, -1, 1, -2}));
}

TEST(MidiControl, OneControllerDrivesEveryRoleItHasAndAFirstValueEndsTheMessage)
{
    quom::Settings settings;
    settings.ccX = settings.ccY = settings.ccTempo = 30;
    quom::MidiControl control;
    EXPECT_TRUE(control.handle(controlChange(30, 10), settings).empty());
    EXPECT_EQ(control.handle(controlChange(30, 20), settings), (Actions{{Kind::Scroll, 5, 0}}));
    EXPECT_EQ(control.handle(controlChange(30, 0), settings),
        (Actions{{Kind::Scroll, -10, 0}, {Kind::Scroll, 0, -10}, {Kind::SetTempo, 1}}));

    // A controller set to none matches no message, so once given a number its first
    // value is still only a reference.
    settings.ccX = settings.ccY = settings.ccTempo = settings.ccRotation = 128;
    settings.ccRed = settings.ccGreen = settings.ccBlue = 128;
    for (int cc = 0; cc < 128; ++cc)
        EXPECT_TRUE(control.handle(controlChange(cc, 64), settings).empty()) << "controller " << cc;
    settings.ccRed = 30;
    EXPECT_TRUE(control.handle(controlChange(30, 64), settings).empty());
    EXPECT_TRUE(control.handle(controlChange(30, 70, 1), settings).empty());
    EXPECT_EQ(control.handle(controlChange(30, 70), settings), (Actions{{Kind::OffsetColors, 12, 0, 0}}));
}

TEST(MidiControl, ADataByteAbove127IsNotMidiSoTheMessageIsIgnored)
{
    quom::Settings settings;
    settings.midiInChannel = 2;
    settings.ccTempo = quom::kNoController;
    quom::MidiControl control;
    EXPECT_TRUE(control.handle(0x4080B2u, settings).empty()) << "B2 80 40: a tempo set to none stays put";
    for (int cc = 128; cc < 256; ++cc)
        EXPECT_TRUE(control.handle(controlChange(cc, 64, 2), settings).empty()) << "controller " << cc;

    // A value byte above 127 is no move either, not even the reference of a relative one.
    EXPECT_TRUE(control.handle(controlChange(settings.ccRed, 0x85, 2), settings).empty());
    EXPECT_TRUE(control.handle(controlChange(settings.ccRed, 10, 2), settings).empty());
    EXPECT_EQ(control.handle(controlChange(settings.ccRed, 20, 2), settings),
        (Actions{{Kind::OffsetColors, 20, 0, 0}}));
}

} // namespace
