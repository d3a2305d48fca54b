#pragma once

#include "core/model/Song.h"

#include <string>
#include <string_view>
#include <variant>

// A song as people write it: "P*R,P*R,...", patterns 1-16, "*R" (repeats 1-99)
// optional for once; "" is no song. The same text is what `quom apply` takes and
// what `quom info` shows.
namespace quom {

// The song, or what was wrong (naming the entry) when the text is not one.
std::variant<Song, std::string> parseSongText(std::string_view text);
std::string songText(const Song& song);

// Why song cannot be a project's song (a pattern outside 1-16, repeats outside 1-99,
// more than kMaxSongEntries entries); empty when it can.
std::string songProblem(const Song& song);

} // namespace quom
