#include "core/midi/LiveControl.h"

#include <cstdlib>
#include <utility>

namespace quom {

LiveControl::LiveControl(Project& project, const Settings& settings, std::function<void(int)> switchPattern)
    : project_(project)
    , settings_(settings)
    , switchPattern_(std::move(switchPattern))
{
    project_.addListener(this);
}

LiveControl::~LiveControl()
{
    project_.removeListener(this);
}

bool LiveControl::handle(std::uint32_t message)
{
    bool moved = false;
    for (const MidiAction& action : messages_.handle(message, settings_)) {
        if (!project_.patternLent()) {
            moved = apply(action) || moved;
            continue;
        }
        // The tempo is heard at once, and kept in its place behind held actions too, so
        // that a program change held before it does not take it back.
        if (action.kind == MidiAction::Kind::SetTempo)
            project_.changeTempo(action.a);
        if (action.kind != MidiAction::Kind::SetTempo || holding())
            held_.push_back(action);
    }
    return moved;
}

bool LiveControl::apply(const MidiAction& action)
{
    switch (action.kind) {
    case MidiAction::Kind::SetTempo:
        project_.changeTempo(action.a);
        return false;
    case MidiAction::Kind::SelectPattern:
        moved_ = false;
        if (switchPattern_)
            switchPattern_(action.a);
        else
            project_.selectPattern(action.a);
        return false;
    case MidiAction::Kind::Scroll:
        project_.applyLive({OperationId::Scroll, ScrollAmount{action.a, action.b}});
        break;
    case MidiAction::Kind::Rotate: {
        const PatternOperation turn{
            action.a > 0 ? OperationId::RotateClockwise : OperationId::RotateCounterClockwise, {}};
        for (int i = 0; i < std::abs(action.a); ++i)
            project_.applyLive(turn);
        break;
    }
    case MidiAction::Kind::OffsetColors:
        project_.applyLive({OperationId::OffsetColors, ColorOffsets{action.a, action.b, action.c}});
        break;
    }
    moved_ = true;
    return true;
}

void LiveControl::rest()
{
    if (moved_ && !project_.patternLent())
        project_.recordUndo();
    moved_ = false;
}

void LiveControl::patternReturned()
{
    bool moved = false;
    for (const MidiAction& action : std::exchange(held_, {}))
        moved = apply(action) || moved;
    // No rest timer runs for them: they become one undo state here.
    if (moved)
        rest();
}

} // namespace quom
