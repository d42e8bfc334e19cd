#include "system/config_file.h"

#include <vector>

#include "system/files.h"
#include "system/safe_file_writer.h"

namespace zentil {

ConfigRead readConfigFile(const std::string& path, Config& record) {
    std::vector<std::uint8_t> bytes;
    switch (readWholeFile(path, bytes, kConfigSize + 1)) {
        case ReadResult::Ok:
            break;
        case ReadResult::CannotOpen:
            return ConfigRead::Missing;
        default:
            return ConfigRead::Damaged;
    }
    if (bytes.size() != kConfigSize) return ConfigRead::Damaged;
    decodeConfig(bytes, record);
    return ConfigRead::Loaded;
}

bool writeConfigFile(const std::string& path, const Config& record) {
    SafeFileWriter out;
    return out.open(path) && out.writeAll(encodeConfig(record)) && out.commit();
}

void setConfigDefaults(Config& record) {
    record.windowWidth = 800;
    record.windowHeight = 600;
    record.maximized = 0;
    record.showGrid = 1;
    record.gridColor = 0x00FFFFFF;
    record.defaultColorKey8 = 0;
    record.defaultColorKey16 = 0;
    record.defaultColorKey24 = 0;
    setConfigText(record.openDirectory, "/");
    setConfigText(record.saveDirectory, "/");
    setConfigText(record.palettePath, "New.Pal");
}

}  // namespace zentil
