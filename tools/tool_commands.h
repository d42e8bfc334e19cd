// The commands of zentil-tool, for build pipelines. Each gives the process
// exit code: 0 on success, 1 on failure (the reason written to `err`),
// 2 for a command line it does not understand.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zentil::tool {

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zentil::tool
