#include "cli/Commands.h"

#include <ostream>

namespace quom::cli {

int runInfo(const Args& args, std::ostream& out, std::ostream& err)
{
    (void)out;
    if (args.empty()) {
        err << "usage: quom info FILE --json [--samples]\n";
        return kExitUsage;
    }
    err << "quom info: not implemented yet\n";
    return kExitFailure;
}

} // namespace quom::cli
