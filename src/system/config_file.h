// Reading and writing the settings file, the raw 4132-byte settings record.
#pragma once

#include <string>

#include "system/config.h"

namespace zentil {

inline constexpr const char* kConfigFileName = "Zentil.Cfg";

enum class ConfigRead { Loaded, Missing, Damaged };

// Loaded: the file was exactly one record and replaced `record`; its texts
// are cut to end within their fields. Missing or Damaged (any other size, or
// unreadable): `record` is left alone.
ConfigRead readConfigFile(const std::string& path, Config& record);

// Writes the record through a temporary file beside `path`.
bool writeConfigFile(const std::string& path, const Config& record);

// The values of a first start, but for the window placement, which depends on
// the screen: grid on in white, keys 0, the palette "New.Pal", dialogs at the
// root folder.
void setConfigDefaults(Config& record);

}  // namespace zentil
