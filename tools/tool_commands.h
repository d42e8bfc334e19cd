// The commands of zentil-tool, for build pipelines. Each gives the process
// exit code (see tool_support.h): 0 on success, 1 when a file cannot be read
// or written, 2 for a command line that is wrong; the reason goes to `err`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "system/language.h"

namespace zentil::tool {

// `args` without the program's name. Its texts are in the language --lang
// names, else in `userLanguage` (the tool passes languageOfEnvironment()).
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const Language& userLanguage = Language::korean());

}  // namespace zentil::tool
