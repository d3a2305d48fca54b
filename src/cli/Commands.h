#pragma once

#include "cli/Cli.h"

// One function per sub-command; args excludes the sub-command's own name.
namespace quom::cli {

int runApply(const Args& args, std::ostream& out, std::ostream& err);
int runImport(const Args& args, std::ostream& out, std::ostream& err);
int runInfo(const Args& args, std::ostream& out, std::ostream& err);
int runMidi(const Args& args, std::ostream& out, std::ostream& err);
int runRender(const Args& args, std::ostream& out, std::ostream& err);
int runSlice(const Args& args, std::ostream& out, std::ostream& err);

} // namespace quom::cli
