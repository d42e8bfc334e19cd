#include "zip_entries.h"

#include <zip.h>
#include <zlib.h>

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

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> zipWithDataDescriptors(const ZipEntries& entries, LocalSizes local) {
    constexpr std::uint32_t kVersion = 20, kDescriptorFollows = 1u << 3, kStored = 0;
    std::vector<std::uint8_t> out, directory;
    for (const auto& [name, data] : entries) {
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const auto size = static_cast<std::uint32_t>(data.size());
        const auto offset = static_cast<std::uint32_t>(out.size());
        // The local header, the data, then the descriptor with its signature.
        put32(out, 0x04034b50);
        for (const std::uint32_t field : {kVersion, kDescriptorFollows, kStored, 0u, 0u})
            put16(out, field);  // version, flags, method, time, date
        put32(out, 0);          // CRC
        put32(out, 0);          // compressed size
        put32(out, local == LocalSizes::UncompressedOnly ? size : 0);
        put16(out, static_cast<std::uint32_t>(name.size()));
        put16(out, 0);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), data.begin(), data.end());
        for (const std::uint32_t field : {0x08074b50u, crc, size, size})
            put32(out, field);
        // Its entry in the central directory, with the real values.
        put32(directory, 0x02014b50);
        for (const std::uint32_t field : {kVersion, kVersion, kDescriptorFollows, kStored, 0u, 0u})
            put16(directory, field);  // made by, needed, flags, method, time, date
        for (const std::uint32_t field : {crc, size, size})
            put32(directory, field);
        put16(directory, static_cast<std::uint32_t>(name.size()));
        for (int i = 0; i < 4; ++i)
            put16(directory, 0);  // extra, comment, disk, internal attributes
        put32(directory, 0);      // external attributes
        put32(directory, offset);
        directory.insert(directory.end(), name.begin(), name.end());
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

}  // namespace zentil::test
