#pragma once

#include "cli/Cli.h"

// One function per sub-command; args excludes the sub-command's own name.
namespace quom::cli {

int runApply(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);
int runImport(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);
int runInfo(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);
int runMidi(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);
int runRender(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);
int runSlice(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders& pictures);

} // namespace quom::cli
