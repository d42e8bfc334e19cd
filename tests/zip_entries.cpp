#include "zip_entries.h"

#include <zip.h>

namespace zentil::test {

ZipEntries unzip(const std::vector<std::uint8_t>& archive) {
    ZipEntries entries;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(source);
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        if (zip_stat_index(zip, index, 0, &stat) != 0) continue;
        std::string data(stat.size, '\0');
        if (zip_file_t* file = zip_fopen_index(zip, index, 0)) {
            zip_fread(file, data.data(), data.size());
            zip_fclose(file);
        }
        entries[stat.name] = data;
    }
    zip_discard(zip);
    return entries;
}

std::vector<std::uint8_t> zipOf(const ZipEntries& entries) {
    std::vector<std::uint8_t> bytes;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(buffer);
        return bytes;
    }
    zip_source_keep(buffer);
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(zip, data.data(), data.size(), 0);
        if (zip_file_add(zip, name.c_str(), source, 0) < 0) zip_source_free(source);
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
    } else if (zip_source_open(buffer) == 0) {
        zip_stat_t stat;
        if (zip_source_stat(buffer, &stat) == 0) {
            bytes.resize(stat.size);
            if (zip_source_read(buffer, bytes.data(), bytes.size()) !=
                static_cast<zip_int64_t>(bytes.size()))
                bytes.clear();
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

}  // namespace zentil::test
