// What must hold of the game between any two events, whatever was played:
// used after every frame of the soak and every command of the fuzzed scripts.
#pragma once

#include <string>

namespace rallo {
class Program;
}

namespace rallo::testing {

// Every broken rule, one line each; empty when all hold. Meaningful once
// start-up has completed (an Overflow during start-up leaves the window as
// far as it got).
std::string BrokenInvariants(Program& program);

}  // namespace rallo::testing
