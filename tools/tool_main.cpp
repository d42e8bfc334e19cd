// zentil-tool: the core's file operations for build pipelines.
#include <iostream>
#include <string>
#include <vector>

#include "tool_commands.h"
#include "tool_texts.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zentil::tool::runTool(args, std::cout, std::cerr, zentil::tool::languageOfEnvironment());
}
