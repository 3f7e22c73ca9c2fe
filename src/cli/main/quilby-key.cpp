#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    quilby::LinkEnvironment link = quilby::LinkEnvironment::forProgram();
    return quilby::runQuilbyKey(args, std::cout, std::cerr, link);
}
