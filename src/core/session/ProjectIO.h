#pragma once

#include "core/files/AtomicFile.h"
#include "core/files/ReadResult.h"

#include <string>
#include <vector>

// A project file to and from the pattern bank and the kit. Kept apart from the
// window so that a load applies only a fully read file, in one place.
namespace quom {

class CKit;
class PatternModel;

// Reads the project at path; only when the whole file was read, its tempos and
// patterns replace the model's bank and its slot records the kit's slots, each
// named sample being read. The result lists the sample paths that could not be
// read (in slot order, each once); on a refused file nothing has changed.
// The caller then shows the slot it wants (the bank's current pattern is not touched).
ReadResult<std::vector<std::string>> LoadProject(const std::string& path, PatternModel& model, CKit& kit);

// Writes the bank (store the current pattern first) and the kit's slot records.
WriteResult SaveProject(const std::string& path, const PatternModel& model, const CKit& kit);

} // namespace quom
