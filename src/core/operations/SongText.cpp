#include "core/operations/SongText.h"

#include "core/operations/ArgumentText.h"

namespace quom {
namespace {

std::string entryProblem(std::size_t index, int pattern, int repeats)
{
    if (pattern < 0 || pattern >= kPatternSlots)
        return "song entry " + std::to_string(index + 1) + " names pattern " + std::to_string(pattern + 1)
            + ", outside 1-16";
    if (repeats < kMinRepeats || repeats > kMaxRepeats)
        return "song entry " + std::to_string(index + 1) + " repeats " + std::to_string(repeats)
            + " times, outside 1-99";
    return {};
}

std::string tooLong(std::size_t entries)
{
    return "the song has " + std::to_string(entries) + " entries, more than "
        + std::to_string(kMaxSongEntries);
}

} // namespace

std::variant<Song, std::string> parseSongText(std::string_view text)
{
    Song song;
    if (text.empty())
        return song;
    const auto pieces = splitCommas(text);
    if (pieces.size() > kMaxSongEntries)
        return tooLong(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view piece = pieces[i];
        const std::size_t star = piece.find('*');
        const auto pattern = parseNumber<int>(piece.substr(0, star));
        const auto repeats = star == std::string_view::npos ? std::optional<int>(1)
                                                            : parseNumber<int>(piece.substr(star + 1));
        if (!pattern || !repeats)
            return "song entry " + std::to_string(i + 1) + " '" + std::string(piece)
                + "' is not PATTERN or PATTERN*REPEATS";
        if (auto problem = entryProblem(i, *pattern - 1, *repeats); !problem.empty())
            return problem;
        song.push_back({*pattern - 1, *repeats});
    }
    return song;
}

std::string songText(const Song& song)
{
    std::string text;
    for (const SongEntry& entry : song) {
        if (!text.empty())
            text += ',';
        text += std::to_string(entry.pattern + 1);
        if (entry.repeats != 1)
            text += '*' + std::to_string(entry.repeats);
    }
    return text;
}

std::string songProblem(const Song& song)
{
    if (song.size() > kMaxSongEntries)
        return tooLong(song.size());
    for (std::size_t i = 0; i < song.size(); ++i) {
        if (auto problem = entryProblem(i, song[i].pattern, song[i].repeats); !problem.empty())
            return problem;
    }
    return {};
}

} // namespace quom
