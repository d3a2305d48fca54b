#include "ui/main/CommandTable.h"
#include "ui/main/KeyTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace quom;

namespace {

QRect buttonRect(const CommandEntry& c, const CanvasGeometry& g)
{
    return QRect(commandPosition(c, g), QSize(32, 30));
}

TEST(CommandTable, ButtonsHaveUniqueIdsAndToolTips)
{
    std::set<int> ids;
    for (const auto& c : commandTable()) {
        EXPECT_TRUE(ids.insert(static_cast<int>(c.id)).second) << c.caption;
        EXPECT_GT(std::string(c.toolTip).size(), 5u) << c.caption;
        EXPECT_EQ(findCommand(c.id), &c);
    }
    EXPECT_EQ(ids.size(), 48u);
}

TEST(CommandTable, ButtonsFitTheWindowAndNeverOverlap)
{
    // Every cell size from the smallest to well past the usual 13 x 11.
    for (int step = 0; step <= 12; ++step) {
        const auto g = CanvasGeometry::atStep(step);
        const QRect window(0, 0, g.windowWidth(), g.windowHeight());
        const QRect canvas = edgesRect(g.left(), g.top(), g.right(), g.bottom());
        std::vector<QRect> placed{pickedColorRect(g)};
        for (const auto& c : commandTable()) {
            const QRect r = buttonRect(c, g);
            EXPECT_TRUE(window.contains(r)) << c.caption;
            EXPECT_FALSE(canvas.intersects(r)) << c.caption;
            for (const QRect& other : placed)
                EXPECT_FALSE(other.intersects(r)) << c.caption;
            placed.push_back(r);
        }
    }
}

TEST(CommandTable, PlacesFollowTheCanvasEdges)
{
    const CanvasGeometry g(12, 10);
    const int p = g.buttonPitch();
    EXPECT_EQ(commandPosition(*findCommand(CommandId::New), g), QPoint(14, 660));
    EXPECT_EQ(commandPosition(*findCommand(CommandId::Play), g), QPoint(14 + 12 * p, 660));
    EXPECT_EQ(commandPosition(*findCommand(CommandId::Pencil), g), QPoint(g.right() + 20, 9));
    EXPECT_EQ(commandPosition(*findCommand(CommandId::EyeDropper), g), QPoint(g.right() + 20 + 2 * p, 49));
    EXPECT_EQ(commandPosition(*findCommand(CommandId::Redo), g), QPoint(g.right() + 20 + 2 * p, 440));
    EXPECT_EQ(pickedColorRect(g), QRect(g.right() + 20 + 3 * p + 4, 52, 24, 20));
    EXPECT_EQ(findCommand(CommandId::Record)->kind, CommandKind::Toggle);
    EXPECT_EQ(findCommand(CommandId::Selector)->kind, CommandKind::Tool);
}

KeyAction command(CommandId id)
{
    return {KeyAction::Kind::Command, id};
}

TEST(KeyTable, ModifiersPickBetweenProjectAndPatternCommands)
{
    const auto ctrl = Qt::ControlModifier;
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    EXPECT_EQ(resolveKey(Qt::Key_N, ctrl), command(CommandId::New));
    EXPECT_EQ(resolveKey(Qt::Key_N, ctrlShift), command(CommandId::Clear));
    EXPECT_EQ(resolveKey(Qt::Key_O, ctrl), command(CommandId::Load));
    EXPECT_EQ(resolveKey(Qt::Key_O, ctrlShift), command(CommandId::LoadPattern));
    EXPECT_EQ(resolveKey(Qt::Key_S, ctrl), command(CommandId::Save));
    EXPECT_EQ(resolveKey(Qt::Key_S, ctrlShift), command(CommandId::SavePattern));
    EXPECT_EQ(resolveKey(Qt::Key_I, ctrl), command(CommandId::Import));
    EXPECT_EQ(resolveKey(Qt::Key_I, Qt::NoModifier), KeyAction{KeyAction::Kind::PlayRowSample});
    EXPECT_EQ(resolveKey(Qt::Key_W, ctrl), command(CommandId::Export));
    EXPECT_EQ(resolveKey(Qt::Key_M, ctrl), command(CommandId::ExportMidi));
    // Without their modifier these letters belong to the focused control.
    for (int key : {Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_W, Qt::Key_M})
        EXPECT_FALSE(resolveKey(key, Qt::NoModifier)) << key;
}

TEST(KeyTable, PlainKeysIgnoreModifiers)
{
    for (auto mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
             Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        EXPECT_EQ(resolveKey(Qt::Key_Space, mods), command(CommandId::Play));
        EXPECT_EQ(resolveKey(Qt::Key_Return, mods), KeyAction{KeyAction::Kind::ToggleRecording});
        EXPECT_EQ(resolveKey(Qt::Key_Enter, mods | Qt::KeypadModifier),
            KeyAction{KeyAction::Kind::ToggleRecording});
        EXPECT_EQ(resolveKey(Qt::Key_Z, mods), command(CommandId::Undo));
        EXPECT_EQ(resolveKey(Qt::Key_Y, mods), command(CommandId::Redo));
        EXPECT_EQ(resolveKey(Qt::Key_F6, mods), command(CommandId::Selector));
        EXPECT_EQ(resolveKey(Qt::Key_F7, mods), command(CommandId::EyeDropper));
        EXPECT_EQ(resolveKey(Qt::Key_Escape, mods), KeyAction{KeyAction::Kind::Cancel});
    }
}

TEST(KeyTable, KeypadDigitsSelectPatterns)
{
    const auto pad = Qt::KeypadModifier;
    const auto ctrlPad = Qt::ControlModifier | Qt::KeypadModifier;
    EXPECT_EQ(resolveKey(Qt::Key_5, pad), (KeyAction{KeyAction::Kind::SelectPattern, CommandId::New, 4}));
    EXPECT_EQ(resolveKey(Qt::Key_0, ctrlPad), (KeyAction{KeyAction::Kind::SelectPattern, CommandId::New, 9}));
    EXPECT_EQ(
        resolveKey(Qt::Key_6, ctrlPad), (KeyAction{KeyAction::Kind::SelectPattern, CommandId::New, 15}));
    EXPECT_FALSE(resolveKey(Qt::Key_0, pad));
    EXPECT_FALSE(resolveKey(Qt::Key_7, ctrlPad));
    EXPECT_FALSE(resolveKey(Qt::Key_5, Qt::NoModifier)) << "the digit row is not the key pad";
}

TEST(KeyTable, ColorKeysAndArrowsScaleWithShift)
{
    using K = KeyAction::Kind;
    EXPECT_EQ(resolveKey(Qt::Key_R, Qt::NoModifier), (KeyAction{K::AddColor, CommandId::New, 0, 1}));
    EXPECT_EQ(resolveKey(Qt::Key_G, Qt::ShiftModifier), (KeyAction{K::AddColor, CommandId::New, 1, 10}));
    EXPECT_EQ(resolveKey(Qt::Key_B, Qt::ControlModifier), (KeyAction{K::AddColor, CommandId::New, 2, -1}));
    EXPECT_EQ(resolveKey(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier),
        (KeyAction{K::AddColor, CommandId::New, 2, -10}));
    EXPECT_EQ(resolveKey(Qt::Key_Left, Qt::NoModifier), (KeyAction{K::Scroll, CommandId::New, -1, 0}));
    EXPECT_EQ(resolveKey(Qt::Key_Down, Qt::ShiftModifier), (KeyAction{K::Scroll, CommandId::New, 0, 4}));
    EXPECT_FALSE(resolveKey(Qt::Key_Up, Qt::ControlModifier));
}

} // namespace
