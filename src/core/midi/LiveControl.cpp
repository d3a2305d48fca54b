#include "core/midi/LiveControl.h"

#include "core/project/Project.h"

#include <cstdlib>

namespace quom {

LiveControl::LiveControl(Project& project, const Settings& settings) noexcept
    : project_(project)
    , settings_(settings)
{
}

bool LiveControl::handle(std::uint32_t message)
{
    bool moved = false;
    for (const MidiAction& action : messages_.handle(message, settings_)) {
        if (action.kind == MidiAction::Kind::SetTempo) {
            project_.changeTempo(action.a);
            continue;
        }
        if (project_.patternLent())
            continue;
        switch (action.kind) {
        case MidiAction::Kind::SelectPattern:
            moved_ = moved = false;
            project_.selectPattern(action.a);
            continue;
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
        case MidiAction::Kind::SetTempo:
            break;
        }
        moved_ = moved = true;
    }
    return moved;
}

void LiveControl::rest()
{
    if (moved_ && !project_.patternLent())
        project_.recordUndo();
    moved_ = false;
}

} // namespace quom
