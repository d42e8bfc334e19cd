#include "work/work_file.h"

#include <zip.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>

#include "formats/file_access.h"
#include "formats/png_codec.h"
#include "formats/png_file.h"
#include "formats/png_image_data.h"
#include "image/pixel.h"
#include "system/files.h"
#include "system/machine_memory.h"
#include "system/parallel_jobs.h"
#include "system/texts.h"
#include "work/manifest_shape.h"

namespace zentil {
namespace {

// The manifest is written with its fields in a fixed order, and read into
// plain objects, whose fields are found in logarithmic time.
using Json = nlohmann::ordered_json;
using Value = nlohmann::json;

constexpr const char* kManifestName = "workspace.json";
constexpr const char* kFormatName = "zentil-workspace";
constexpr std::uint64_t kMaxManifestBytes = std::uint64_t{64} << 20;
// A page's PNG, even stored without compression.
constexpr std::uint64_t kMaxImageBytes = 2 * kMaxPixelBufferBytes;
// A deflate stream gives at most 1032 bytes per byte it holds; an entry that
// claims more is not read.
constexpr std::uint64_t kMaxInflateRatio = 1032;

Outcome cannotRead() {
    return Outcome::error(texts::kWorkFileCannotRead);
}
Outcome cannotSave() {
    return Outcome::error(texts::kWorkFileCannotSave);
}

// ---- texts -----------------------------------------------------------------

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t more = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= more) return false;
        for (std::size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

std::string toHex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(count * 2, '0');
    for (std::size_t i = 0; i < count; ++i) {
        text[i * 2] = kDigits[bytes[i] >> 4];
        text[i * 2 + 1] = kDigits[bytes[i] & 15];
    }
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool fromHex(std::string_view text, std::uint8_t* bytes, std::size_t count) {
    if (text.size() != count * 2) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const int high = hexDigit(text[i * 2]);
        const int low = hexDigit(text[i * 2 + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

// Names and paths are bytes: JSON text when they are UTF-8 (as they are on
// this platform), else their bytes in hexadecimal, so that any of them
// comes back exactly.
Json textValue(std::string_view text) {
    if (validUtf8(text)) return std::string(text);
    Json bytes;
    bytes["bytes"] = toHex(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return bytes;
}

bool readText(const Value& value, std::string& out, std::size_t maxBytes) {
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (text.size() > maxBytes) return false;
        out = text;
        return true;
    }
    if (!value.is_object()) return false;
    const auto bytes = value.find("bytes");
    if (bytes == value.end() || !bytes->is_string()) return false;
    const auto& hex = bytes->get_ref<const std::string&>();
    if (hex.size() % 2 != 0 || hex.size() / 2 > maxBytes) return false;
    out.resize(hex.size() / 2);
    return fromHex(hex, reinterpret_cast<std::uint8_t*>(out.data()), out.size());
}

// A whole number within lo..hi.
bool readWhole(const Value& value, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    if (!value.is_number_integer()) return false;
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(hi)) return false;
        out = static_cast<std::int64_t>(u);
    } else {
        out = value.get<std::int64_t>();
    }
    return out >= lo && out <= hi;
}

// The object's field, a whole number within lo..hi.
template <typename T>
bool readNumber(const Value& object, const char* key, std::int64_t lo, std::int64_t hi, T& out) {
    const auto it = object.find(key);
    std::int64_t value = 0;
    if (it == object.end() || !readWhole(*it, lo, hi, value)) return false;
    out = static_cast<T>(value);
    return true;
}

bool readPalette(const Value& object, const char* key, Palette& palette) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() &&
           fromHex(it->get_ref<const std::string&>(), palette.data(), palette.size());
}

// The pages' palettes, each written once in the manifest's "palettes" and
// named by its number in each page that has it: pages mostly share a few
// palettes, and 1,536 characters of each page's own made most of the
// manifest and of the time taken to read it.
struct SharedPalettes {
    std::map<Palette, int> numbers;
    Json list = Json::array();

    int numberOf(const Palette& palette) {
        const auto [it, added] = numbers.emplace(palette, static_cast<int>(numbers.size()));
        if (added) list.push_back(toHex(palette.data(), palette.size()));
        return it->second;
    }
};

// The manifest's shared palettes; none in files of the first version, whose
// pages hold their own.
bool readSharedPalettes(const Value& manifest, std::vector<Palette>& shared) {
    const auto it = manifest.find("palettes");
    if (it == manifest.end()) return true;
    if (!it->is_array()) return false;
    // Each is checked before the next takes room.
    for (const Value& hex : *it) {
        Palette palette{};
        if (!hex.is_string() ||
            !fromHex(hex.get_ref<const std::string&>(), palette.data(), palette.size()))
            return false;
        shared.push_back(palette);
    }
    return true;
}

// A page's palette: the number of a shared one, or its own bytes in
// hexadecimal as the first version wrote them.
bool readPagePalette(const Value& entry, const std::vector<Palette>& shared, Palette& palette) {
    const auto it = entry.find("palette");
    if (it == entry.end()) return false;
    if (it->is_string()) return readPalette(entry, "palette", palette);
    std::int64_t number = 0;
    if (!readWhole(*it, 0, static_cast<std::int64_t>(shared.size()) - 1, number)) return false;
    palette = shared[static_cast<std::size_t>(number)];
    return true;
}

// ---- the archive -----------------------------------------------------------

struct ArchiveDiscarder {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;

// The index and size of the entry, checked against the size it claims
// beside what it takes in the archive; false when there is none or it is
// too large.
bool locateEntry(zip_t* archive, const std::string& name, std::uint64_t maxBytes,
                 zip_uint64_t& index, std::uint64_t& size) {
    const zip_int64_t found = zip_name_locate(archive, name.c_str(), 0);
    if (found < 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(found), 0, &stat) != 0) return false;
    if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE)) return false;
    if (stat.size > maxBytes) return false;
    if (stat.comp_size < std::numeric_limits<zip_uint64_t>::max() / kMaxInflateRatio &&
        stat.size > stat.comp_size * kMaxInflateRatio + 64)
        return false;
    index = static_cast<zip_uint64_t>(found);
    size = stat.size;
    return true;
}

// The entry's bytes, checked against the size it claims and its CRC.
bool readEntry(zip_t* archive, zip_uint64_t index, std::uint64_t size,
               std::vector<std::uint8_t>& out) {
    struct FileCloser {
        void operator()(zip_file_t* file) const { zip_fclose(file); }
    };
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) return false;
    out.resize(static_cast<std::size_t>(size));
    std::size_t have = 0;
    while (have < out.size()) {
        const zip_int64_t got = zip_fread(file.get(), out.data() + have, out.size() - have);
        if (got <= 0) return false;
        have += static_cast<std::size_t>(got);
    }
    // Reading on to the end is what checks the CRC; an entry longer than it
    // claims is refused too.
    std::uint8_t extra = 0;
    return zip_fread(file.get(), &extra, 1) == 0;
}

// ---- pages -----------------------------------------------------------------

const char* listKey(ListId list) {
    return list == ListId::Pictures ? "pictures" : "sprites";
}

std::string imageName(ListId list, int index) {
    std::string number = std::to_string(index + 1);
    if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
    return std::string(listKey(list)) + "/" + number + ".png";
}

Json pageEntry(const Page& page, const PageFile& file, const std::string& image,
               SharedPalettes& palettes) {
    Json entry;
    entry["name"] = textValue(pageName(page));
    entry["kind"] = page.kind;
    entry["bits"] = page.mode * 8;
    entry["image"] = image;
    entry["tileWidth"] = page.tileWidth;
    entry["tileHeight"] = page.tileHeight;
    entry["cols"] = page.cols;
    entry["rows"] = page.rows;
    entry["key"] = colorKeyOf(page);
    entry["palette"] = palettes.numberOf(page.palette);
    Json areas = Json::array();
    for (int layer = 0; layer < kAreaLayerCount; ++layer) {
        if (!page.areas[layer]) continue;
        for (int tile = 0; tile < kAreaEntries; ++tile) {
            const AreaRect& r = (*page.areas[layer])[tile];
            if (r.right != 0) areas.push_back({layer, tile, r.left, r.top, r.right, r.bottom});
        }
    }
    if (!areas.empty()) entry["areas"] = std::move(areas);
    if (!file.path.empty()) entry["file"] = textValue(file.path);
    entry["unsaved"] = file.savedRevision != page.revision;
    return entry;
}

// The pixels of a page from its PNG, into a page already built to the
// manifest's size; the picture must be exactly that size.
bool readPixels(std::span<const std::uint8_t> png, Page& page) {
    if (page.mode == kMode8) {
        const auto intoPage = [&page](int width, int height, std::size_t& stride) {
            stride = static_cast<std::size_t>(page.stride);
            return width == page.width && height == page.height ? page.pixels8.get() : nullptr;
        };
        IndexedPicture header;
        return static_cast<bool>(decodePngInto(png, header, intoPage, kMaxPixelBufferBytes));
    }
    RgbPicture picture;
    const std::uint64_t pixels = std::uint64_t(page.width) * std::uint64_t(page.height);
    if (!decodePngRgb(png, picture, pixels) || picture.width != page.width ||
        picture.height != page.height)
        return false;
    const std::uint8_t* from = picture.rgb.data();
    for (int y = 0; y < page.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(page.stride);
        if (page.mode == kMode16) {
            std::uint16_t* to = page.pixels16.get() + row;
            for (int x = 0; x < page.width; ++x, from += 3)
                to[x] = pack16(from[0] >> 3u, from[1] >> 3u, from[2] >> 3u);
        } else {
            std::uint8_t* to = page.pixels24.get() + row * 3;
            for (int x = 0; x < page.width; ++x, from += 3, to += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        }
    }
    return true;
}

// Calls `take(layer, tile, rect)` for each of the entry's area entries, each
// checked first.
template <typename Take>
bool forEachArea(const Value& entry, Take take) {
    const auto it = entry.find("areas");
    if (it == entry.end()) return true;
    if (!it->is_array()) return false;
    constexpr std::int64_t kLo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHi = std::numeric_limits<std::int32_t>::max();
    for (const Value& item : *it) {
        // [layer, tile, left, top, right, bottom]
        if (!item.is_array() || item.size() != 6) return false;
        std::int64_t v[6];
        if (!readWhole(item[0], 0, kAreaLayerCount - 1, v[0]) ||
            !readWhole(item[1], 0, kAreaEntries - 1, v[1]))
            return false;
        for (std::size_t k = 2; k < 6; ++k)
            if (!readWhole(item[k], kLo, kHi, v[k])) return false;
        take(static_cast<std::size_t>(v[0]), static_cast<std::size_t>(v[1]),
             AreaRect{static_cast<std::int32_t>(v[2]), static_cast<std::int32_t>(v[3]),
                      static_cast<std::int32_t>(v[4]), static_cast<std::int32_t>(v[5])});
    }
    return true;
}

// A page as its manifest entry describes it, checked whole before any
// picture is read.
struct PagePlan {
    const Value* entry = nullptr;
    std::string name;
    std::int32_t kind = kKindNone;
    int mode = kMode8;
    int tileWidth = 0, tileHeight = 0, cols = 0, rows = 0;
    PageDefaults defaults;
    zip_uint64_t image = 0;  // the index of its PNG entry
    std::uint64_t imageBytes = 0;
    std::string file;
    bool unsaved = false;
};

// What reading all pages would take: the memory the pages keep, the most one
// page needs only while it is read (its PNG and, for colour pages, the
// decoded picture), and the picture entries named so far, each of which
// belongs to one page.
struct ReadingCost {
    std::uint64_t kept = 0;
    std::uint64_t passing = 0;
    std::set<zip_uint64_t> images;
};

bool planPage(zip_t* archive, const Value& entry, const std::vector<Palette>& palettes,
              PagePlan& plan, ReadingCost& cost) {
    if (!entry.is_object()) return false;
    plan.entry = &entry;
    std::int32_t bits = 0;
    const auto nameField = entry.find("name");
    if (nameField == entry.end() || !readText(*nameField, plan.name, kPageNameSize - 1) ||
        !readNumber(entry, "kind", 0, kKindSprite, plan.kind) ||
        (plan.kind != kKindNone && plan.kind != kKindTga && plan.kind != kKindSprite) ||
        !readNumber(entry, "bits", 8, 24, bits) || bits % 8 != 0)
        return false;
    const auto unsavedField = entry.find("unsaved");
    if (unsavedField == entry.end() || !unsavedField->is_boolean()) return false;
    plan.unsaved = unsavedField->get<bool>();
    if (const auto it = entry.find("file"); it != entry.end() && !readText(*it, plan.file, 4096))
        return false;
    plan.mode = bits / 8;

    std::uint32_t key = 0;
    constexpr std::int64_t kMaxSide = std::numeric_limits<std::int32_t>::max();
    const std::int64_t maxKey = plan.mode == kMode8    ? 0xFF
                                : plan.mode == kMode16 ? 0xFFFF
                                                       : 0xFFFFFF;
    const auto image = entry.find("image");
    if (!readNumber(entry, "tileWidth", 1, kMaxSide, plan.tileWidth) ||
        !readNumber(entry, "tileHeight", 1, kMaxSide, plan.tileHeight) ||
        !readNumber(entry, "cols", 1, kMaxSide, plan.cols) ||
        !readNumber(entry, "rows", 1, kMaxSide, plan.rows) ||
        !readNumber(entry, "key", 0, maxKey, key) ||
        !readPagePalette(entry, palettes, plan.defaults.palette) || image == entry.end() ||
        !image->is_string())
        return false;
    plan.defaults.key8 = static_cast<std::uint8_t>(key);
    plan.defaults.key16 = static_cast<std::uint16_t>(key);
    plan.defaults.key24 = key;
    // Sizes past the largest page are refused here, before any buffer exists.
    const std::uint64_t pixelBytes =
        pageBufferBytes(plan.tileWidth, plan.cols, plan.tileHeight, plan.rows, plan.mode);
    if (pixelBytes == 0) return false;
    if (!locateEntry(archive, image->get_ref<const std::string&>(), kMaxImageBytes, plan.image,
                     plan.imageBytes) ||
        !cost.images.insert(plan.image).second)
        return false;
    unsigned layers = 0;
    if (!forEachArea(entry, [&layers](std::size_t layer, std::size_t, const AreaRect&) {
            layers |= 1u << layer;
        }))
        return false;
    cost.kept += pixelBytes + static_cast<std::uint64_t>(std::popcount(layers)) * sizeof(AreaLayer);
    // A colour page is decoded into red, green and blue before it is packed.
    const std::uint64_t decoded =
        plan.mode == kMode8 ? 0
                            : std::uint64_t(plan.tileWidth) * std::uint64_t(plan.cols) *
                                  std::uint64_t(plan.tileHeight) * std::uint64_t(plan.rows) * 3;
    cost.passing = std::max(cost.passing, plan.imageBytes + decoded);
    return true;
}

// The page of the plan, with the pixels of `png`, its picture.
bool buildPage(const PagePlan& plan, std::span<const std::uint8_t> png, Page& page) {
    Page fresh;
    // The padding columns take the key; the picture gives every other pixel.
    if (!createPageForOverwrite(fresh, plan.tileWidth, plan.cols, plan.tileHeight, plan.rows,
                                plan.mode, plan.defaults))
        return false;
    setPagePalette(fresh, plan.defaults.palette);
    if (!readPixels(png, fresh)) return false;
    const auto setArea = [&fresh](std::size_t layer, std::size_t tile, const AreaRect& rect) {
        auto& areas = fresh.areas[layer];
        if (!areas) areas = std::make_unique<AreaLayer>();
        (*areas)[tile] = rect;
    };
    if (!forEachArea(*plan.entry, setArea)) return false;
    fresh.kind = plan.kind;
    setPageName(fresh, plan.name);
    page = std::move(fresh);
    return true;
}

// The pages of all plans, in their order, decoded on every processor that
// the memory left over allows. The archive hands out one entry at a time;
// decoding, most of the work, goes on beside it.
bool buildPages(zip_t* archive, const std::vector<const PagePlan*>& plans, const ReadingCost& cost,
                std::vector<std::unique_ptr<Page>>& pages) {
    const std::uint64_t room = workFileMemoryBudget() - cost.kept;
    // Besides the largest page's passing needs, a thread may hold its PNG's
    // image data gathered and inflated whole.
    const std::uint64_t perThread = 2 * cost.passing + kWholeImageDataLimit;
    const auto threads =
        static_cast<unsigned>(std::clamp<std::uint64_t>(room / perThread, 1, jobThreads()));
    std::vector<std::vector<std::uint8_t>> buffers(threads);
    std::mutex reading;
    pages.resize(plans.size());
    return runJobs(plans.size(), threads, [&](std::size_t i, unsigned thread) {
        const PagePlan& plan = *plans[i];
        std::vector<std::uint8_t>& png = buffers[thread];
        {
            const std::lock_guard<std::mutex> lock(reading);
            if (!readEntry(archive, plan.image, plan.imageBytes, png)) return false;
        }
        pages[i] = std::make_unique<Page>();
        return buildPage(plan, png, *pages[i]);
    });
}

// What an archive holds, read completely before the workspace is touched.
struct Contents {
    PageStore pictures{kPictureCapacity};
    PageStore sprites{kSpriteCapacity};
    std::vector<bool> unsavedPictures;
    std::vector<bool> unsavedSprites;
    Palette palette{};
    std::string paletteFile;
    ListId currentList = ListId::None;
    int currentIndex = -1;
};

bool planList(zip_t* archive, const Value& manifest, const std::vector<Palette>& palettes,
              ListId list, int capacity, std::vector<PagePlan>& plans, ReadingCost& cost) {
    const auto it = manifest.find(listKey(list));
    if (it == manifest.end() || !it->is_array()) return false;
    if (it->size() > static_cast<std::size_t>(capacity)) return false;
    plans.resize(it->size());
    for (std::size_t i = 0; i < plans.size(); ++i)
        if (!planPage(archive, (*it)[i], palettes, plans[i], cost)) return false;
    return true;
}

// Files the pages of the plans into the store, in order.
void fileList(const std::vector<PagePlan>& plans,
              std::vector<std::unique_ptr<Page>>::iterator pages, PageStore& store,
              std::vector<bool>& unsaved) {
    for (const PagePlan& plan : plans) {
        store.append(std::move(*pages++), PageFile{plan.file, 0});
        unsaved.push_back(plan.unsaved);
    }
}

bool readContents(zip_t* archive, Contents& contents) {
    std::vector<std::uint8_t> text;
    zip_uint64_t manifestIndex = 0;
    std::uint64_t manifestBytes = 0;
    // The text's shape is checked, and what parsing it takes weighed, before
    // it is parsed: the parsed form is kept while the pages are read.
    std::uint64_t parsedBytes = 0;
    if (!locateEntry(archive, kManifestName, kMaxManifestBytes, manifestIndex, manifestBytes) ||
        !readEntry(archive, manifestIndex, manifestBytes, text) ||
        !checkManifestShape(text, parsedBytes) ||
        text.size() + parsedBytes > workFileMemoryBudget())
        return false;
    const Value manifest = Value::parse(text.begin(), text.end(), nullptr, false);
    if (!manifest.is_object()) return false;
    const auto format = manifest.find("format");
    int version = 0;
    if (format == manifest.end() || *format != kFormatName ||
        !readNumber(manifest, "version", 1, kWorkFileVersion, version))
        return false;
    if (!readPalette(manifest, "palette", contents.palette)) return false;
    if (const auto it = manifest.find("paletteFile");
        it != manifest.end() && !readText(*it, contents.paletteFile, kConfigTextSize - 1))
        return false;
    // Every page is checked, and what they need together weighed, before the
    // first picture is decoded.
    std::vector<PagePlan> pictures, sprites;
    ReadingCost cost;
    cost.kept = text.size() + parsedBytes;
    std::vector<Palette> palettes;
    if (!readSharedPalettes(manifest, palettes) ||
        !planList(archive, manifest, palettes, ListId::Pictures, contents.pictures.capacity(),
                  pictures, cost) ||
        !planList(archive, manifest, palettes, ListId::Sprites, contents.sprites.capacity(),
                  sprites, cost) ||
        cost.kept + cost.passing > workFileMemoryBudget())
        return false;
    std::vector<const PagePlan*> plans;
    for (const std::vector<PagePlan>* list : {&pictures, &sprites})
        for (const PagePlan& plan : *list)
            plans.push_back(&plan);
    std::vector<std::unique_ptr<Page>> pages;
    if (!buildPages(archive, plans, cost, pages)) return false;
    fileList(pictures, pages.begin(), contents.pictures, contents.unsavedPictures);
    fileList(sprites, pages.begin() + static_cast<std::ptrdiff_t>(pictures.size()),
             contents.sprites, contents.unsavedSprites);
    // The current page: a list and a place in it; anything else shows none.
    if (const auto current = manifest.find("current");
        current != manifest.end() && current->is_object()) {
        const auto list = current->find("list");
        int index = -1;
        if (list != current->end() && list->is_string() &&
            readNumber(*current, "index", 0, kSpriteCapacity, index)) {
            const ListId id = *list == "pictures"  ? ListId::Pictures
                              : *list == "sprites" ? ListId::Sprites
                                                   : ListId::None;
            const PageStore* store = id == ListId::Pictures  ? &contents.pictures
                                     : id == ListId::Sprites ? &contents.sprites
                                                             : nullptr;
            if (store && index < store->size()) {
                contents.currentList = id;
                contents.currentIndex = index;
            }
        }
    }
    return true;
}

void adopt(Contents& contents, Workspace& workspace) {
    workspace.clearPages();
    const auto takeList = [&workspace](PageStore& from, const std::vector<bool>& unsaved,
                                       PageStore& into) {
        into = std::move(from);
        for (int i = 0; i < into.size(); ++i) {
            Page& page = into.at(i);
            page.revision = workspace.nextRevision();
            // An unsaved page stays unsaved: it differs from its file.
            into.file(i).savedRevision = unsaved[static_cast<std::size_t>(i)] ? 0 : page.revision;
        }
    };
    takeList(contents.pictures, contents.unsavedPictures, workspace.pictures);
    takeList(contents.sprites, contents.unsavedSprites, workspace.sprites);
    workspace.palette = contents.palette;
    setConfigText(workspace.settings.palettePath, contents.paletteFile);
    if (PageStore* store = workspace.store(contents.currentList))
        workspace.setCurrent(contents.currentList, store->find(contents.currentIndex));
}

Outcome decodeArchive(zip_source_t* source, Workspace& workspace) {
    zip_error_t error;
    zip_error_init(&error);
    // Without ZIP_CHECKCONS, which refuses entries followed by a data
    // descriptor (as streaming writers and "zip -fd" write them) when their
    // local header does not hold the sizes libzip expects there: what is
    // read is checked anyway, against the sizes of the central directory and
    // the CRC at the end of each entry.
    Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return cannotRead();
    }
    try {
        Contents contents;
        if (!readContents(archive.get(), contents)) return cannotRead();
        adopt(contents, workspace);
        return Outcome::done();
    } catch (const std::exception&) {
        // Memory that cannot be had, or a value of an unexpected kind.
        return cannotRead();
    }
}

// Adds the bytes, which must live until the archive is closed.
bool addEntry(zip_t* archive, const std::string& name, const void* data, std::size_t size,
              bool compress) {
    zip_source_t* source = zip_source_buffer(archive, data, size, 0);
    if (!source) return false;
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    // PNGs are compressed already; storing them keeps writing and reading fast.
    return zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                    compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0;
}

// Closes an archive written into `buffer` and gives the buffer's bytes.
bool finishArchive(Archive archive, zip_source_t* buffer, std::vector<std::uint8_t>& out) {
    if (zip_close(archive.get()) != 0) return false;
    archive.release();  // closed
    if (zip_source_open(buffer) != 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    bool ok = zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE);
    if (ok) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.size));
        ok = zip_source_read(buffer, bytes.data(), bytes.size()) ==
             static_cast<zip_int64_t>(bytes.size());
        if (ok) out = std::move(bytes);
    }
    zip_source_close(buffer);
    return ok;
}

struct Image {
    std::string name;
    std::vector<std::uint8_t> png;
};

// The PNG of each page, on every processor: the pages are only read, and
// compressing them is most of a save's time.
bool encodeImages(const std::vector<const Page*>& pages, std::vector<Image>& images) {
    return runJobs(pages.size(), jobThreads(), [&](std::size_t i, unsigned) {
        return static_cast<bool>(encodePngPage(*pages[i], images[i].png));
    });
}

Outcome encodeArchive(const Workspace& workspace, std::vector<std::uint8_t>& out) {
    std::vector<Image> images;
    Json manifest;
    manifest["format"] = kFormatName;
    manifest["version"] = kWorkFileVersion;
    // A page without pixels keeps nothing and is left out (the editor's
    // stores hold none); the current page's place counts the pages written.
    const Page* shown = workspace.currentPage();
    if (shown && shown->inUse() && workspace.placeOf(shown).valid())
        manifest["current"] = Json::object();  // filled in below, kept in this place
    manifest["palette"] = toHex(workspace.palette.data(), workspace.palette.size());
    manifest["paletteFile"] = textValue(configText(workspace.settings.palettePath));
    manifest["palettes"] = Json::array();  // filled in below, kept in this place
    SharedPalettes palettes;
    std::vector<const Page*> pages;
    for (const ListId list : {ListId::Pictures, ListId::Sprites}) {
        const PageStore& store = *workspace.store(list);
        Json entries = Json::array();
        for (int i = 0; i < store.size(); ++i) {
            const Page& page = store.at(i);
            if (!page.inUse()) continue;
            const int written = static_cast<int>(entries.size());
            if (&page == shown) manifest["current"] = {{"list", listKey(list)}, {"index", written}};
            const std::string name = imageName(list, written);
            entries.push_back(pageEntry(page, store.file(i), name, palettes));
            images.push_back({name, {}});
            pages.push_back(&page);
        }
        manifest[listKey(list)] = std::move(entries);
    }
    manifest["palettes"] = std::move(palettes.list);
    const std::string text = manifest.dump(1);
    if (!encodeImages(pages, images)) return cannotSave();

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!buffer) return cannotSave();
    zip_error_init(&error);
    Archive archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(buffer);
        return cannotSave();
    }
    // The archive frees the buffer when it closes; the bytes are read after.
    zip_source_keep(buffer);
    bool ok = addEntry(archive.get(), kManifestName, text.data(), text.size(), true);
    for (const Image& image : images)
        ok = ok && addEntry(archive.get(), image.name, image.png.data(), image.png.size(), false);
    ok = ok && finishArchive(std::move(archive), buffer, out);
    zip_source_free(buffer);
    return ok ? Outcome::done() : cannotSave();
}

}  // namespace

std::uint64_t workFileMemoryBudget() {
    const std::uint64_t half = physicalMemoryBytes() / 2;
    return half == 0 ? kWorkFileMemoryCeiling : std::min(kWorkFileMemoryCeiling, half);
}

Outcome encodeWorkFile(const Workspace& workspace, std::vector<std::uint8_t>& out) {
    try {
        return encodeArchive(workspace, out);
    } catch (const std::exception&) {
        return cannotSave();
    }
}

Outcome saveWorkFile(const Workspace& workspace, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (Outcome encoded = encodeWorkFile(workspace, bytes); !encoded) return encoded;
    return saveFile(path, bytes, texts::kWorkFileCannotSave);
}

Outcome decodeWorkFile(std::span<const std::uint8_t> bytes, Workspace& workspace) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (!source) return cannotRead();
    return decodeArchive(source, workspace);
}

Outcome openWorkFile(const std::string& path, Workspace& workspace) {
    // The archive is read where it lies, entry by entry, not into memory
    // whole, from the descriptor that was checked to be a regular file.
    ReadableFile file;
    if (const ReadResult opened = file.open(path); opened != ReadResult::Ok)
        return opened == ReadResult::NotAFile ? Outcome::error(texts::kNotAFile)
                                              : noteKeptOldContents(cannotRead(), path);
    std::FILE* stream = ::fdopen(file.fd(), "rb");
    if (!stream) return cannotRead();
    file.release();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_filep_create(stream, 0, -1, &error);
    zip_error_fini(&error);
    if (!source) {
        std::fclose(stream);
        return noteKeptOldContents(cannotRead(), path);
    }
    return noteKeptOldContents(decodeArchive(source, workspace), path);
}

bool isWorkFileName(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == kWorkFileExtension;
}

}  // namespace zentil
