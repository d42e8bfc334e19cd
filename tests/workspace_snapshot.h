// Everything about a workspace that a user could see or that a save keeps,
// as one string, so that two workspaces compare byte for byte.
#pragma once

#include <string>

#include "work/workspace.h"

namespace zentil::test {

std::string workspaceSnapshot(const Workspace& ws);

}  // namespace zentil::test
