// rallo2-sim [SCRIPT]: runs a script against the game on the headless
// platform; reads standard input when no script is given.
#include <fstream>
#include <iostream>

#include "sim_script.h"

int main(int argc, char** argv) {
    rallo::SimScript script(std::cout, std::cerr);
    if (argc > 2) {
        std::cerr << "usage: rallo2-sim [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "rallo2-sim: cannot read " << argv[1] << "\n";
            return 2;
        }
        return script.Run(file);
    }
    return script.Run(std::cin);
}
