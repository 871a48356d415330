#include <ostream>

#include "cli/command.hpp"

namespace quorvel::cli {

// quorvel-cli data build SRC_DIR OUT_DIR | data dump FILE OUT_DIR
int run_data(const Invocation& inv) {
    *inv.err << "quorvel-cli data: not built yet\n";
    return exit_usage;
}

}  // namespace quorvel::cli
