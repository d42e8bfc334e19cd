#include "work/manifest_shape.h"

#include <array>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "image/page.h"
#include "image/page_store.h"

namespace zentil {
namespace {

static_assert(kMaxManifestPalettes == kSpriteCapacity + kPictureCapacity);

// What a value in a place of the manifest may be.
enum class Shape : std::uint8_t {
    Manifest,   // the object of the whole manifest
    Current,    // {"list", "index"}
    Page,       // a page's object
    Text,       // a text, or {"bytes": hexadecimal} for one that is not UTF-8
    TextBytes,  // the object form of a text
    String,
    Whole,
    Flag,
    PaletteRef,  // a palette's hexadecimal, or the number of a shared one
    Palettes,    // list of String
    Pages,       // list of Page
    Areas,       // list of Area
    Area,        // list of six Whole
};

struct Field {
    std::string_view name;
    Shape shape;
};

constexpr Field kManifestFields[] = {
    {"format", Shape::String},  {"version", Shape::Whole},    {"current", Shape::Current},
    {"palette", Shape::String}, {"paletteFile", Shape::Text}, {"palettes", Shape::Palettes},
    {"pictures", Shape::Pages}, {"sprites", Shape::Pages},
};
constexpr Field kCurrentFields[] = {{"list", Shape::String}, {"index", Shape::Whole}};
constexpr Field kPageFields[] = {
    {"name", Shape::Text},          {"kind", Shape::Whole},      {"bits", Shape::Whole},
    {"image", Shape::String},       {"tileWidth", Shape::Whole}, {"tileHeight", Shape::Whole},
    {"cols", Shape::Whole},         {"rows", Shape::Whole},      {"key", Shape::Whole},
    {"palette", Shape::PaletteRef}, {"areas", Shape::Areas},     {"file", Shape::Text},
    {"unsaved", Shape::Flag},
};
constexpr Field kTextBytesFields[] = {{"bytes", Shape::String}};

std::span<const Field> fieldsOf(Shape object) {
    switch (object) {
        case Shape::Manifest:
            return kManifestFields;
        case Shape::Current:
            return kCurrentFields;
        case Shape::Page:
            return kPageFields;
        default:
            return kTextBytesFields;
    }
}

// A list's elements and how many it may hold.
struct ListShape {
    Shape element;
    std::uint64_t most;
};

ListShape listShapeOf(Shape list) {
    switch (list) {
        case Shape::Palettes:
            return {Shape::String, kMaxManifestPalettes};
        case Shape::Pages:
            return {Shape::Page, kSpriteCapacity};
        case Shape::Areas:
            return {Shape::Area, std::uint64_t{kAreaLayerCount} * kAreaEntries};
        default:
            return {Shape::Whole, 6};
    }
}

// What the parsed form takes, over-counted: every value a map node or list
// slot with its allocation, every text its own allocation besides.
constexpr std::uint64_t kValueBytes = 128;
constexpr std::uint64_t kTextBytes = 64;

// Follows the parser's events with a stack of the objects and lists open,
// refusing the first value out of place.
class ShapeChecker final : public nlohmann::json_sax<nlohmann::json> {
  public:
    std::uint64_t parsedBytes = 0;

    bool null() override { return false; }
    bool boolean(bool) override { return scalar(Shape::Flag); }
    bool number_integer(number_integer_t) override { return scalar(Shape::Whole); }
    bool number_unsigned(number_unsigned_t) override { return scalar(Shape::Whole); }
    bool number_float(number_float_t, const string_t&) override { return false; }
    bool string(string_t& text) override {
        parsedBytes += kTextBytes + text.size();
        return scalar(Shape::String);
    }
    bool binary(binary_t&) override { return false; }

    bool start_object(std::size_t) override {
        Shape shape = Shape::Manifest;
        if (!next(shape)) return false;
        if (shape == Shape::Text) shape = Shape::TextBytes;
        if (shape != Shape::Manifest && shape != Shape::Current && shape != Shape::Page &&
            shape != Shape::TextBytes)
            return false;
        open_.push_back({shape});
        return true;
    }
    bool key(string_t& name) override {
        Open& object = open_.back();
        const std::span<const Field> fields = fieldsOf(object.shape);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].name != name) continue;
            if (object.seen & (1u << i)) return false;  // a field given twice
            object.seen |= 1u << i;
            object.pending = fields[i].shape;
            return true;
        }
        return false;
    }
    bool end_object() override { return close(); }

    bool start_array(std::size_t) override {
        Shape shape = Shape::Manifest;
        if (!next(shape) || (shape != Shape::Palettes && shape != Shape::Pages &&
                             shape != Shape::Areas && shape != Shape::Area))
            return false;
        open_.push_back({shape});
        return true;
    }
    bool end_array() override {
        // An area entry is six numbers: layer, tile and its rectangle.
        if (open_.back().shape == Shape::Area && open_.back().count != 6) return false;
        return close();
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

  private:
    struct Open {
        Shape shape;
        std::uint32_t seen = 0;           // the fields given so far
        Shape pending = Shape::Manifest;  // the shape of the value after a key
        std::uint64_t count = 0;          // a list's elements so far
    };

    // The shape the next value must have where it stands; false when the
    // list it joins is full.
    bool next(Shape& shape) {
        parsedBytes += kValueBytes;
        if (open_.empty()) {
            if (rootSeen_) return false;
            rootSeen_ = true;
            shape = Shape::Manifest;
            return true;
        }
        Open& around = open_.back();
        if (!isList(around.shape)) {
            shape = around.pending;
            return true;
        }
        const ListShape list = listShapeOf(around.shape);
        if (++around.count > list.most) return false;
        shape = list.element;
        return true;
    }
    bool scalar(Shape kind) {
        Shape shape = Shape::Manifest;
        if (!next(shape)) return false;
        if (shape == kind) return true;
        if (shape == Shape::Text) return kind == Shape::String;
        if (shape == Shape::PaletteRef) return kind == Shape::String || kind == Shape::Whole;
        return false;
    }
    bool close() {
        open_.pop_back();
        return true;
    }
    static bool isList(Shape shape) {
        return shape == Shape::Palettes || shape == Shape::Pages || shape == Shape::Areas ||
               shape == Shape::Area;
    }

    // At most five deep: the manifest, a list of pages, a page, its areas, an entry.
    std::vector<Open> open_;
    bool rootSeen_ = false;
};

}  // namespace

bool checkManifestShape(std::span<const std::uint8_t> text, std::uint64_t& parsedBytes) {
    ShapeChecker checker;
    const bool fits = nlohmann::json::sax_parse(text.begin(), text.end(), &checker);
    parsedBytes = checker.parsedBytes;
    return fits;
}

}  // namespace zentil
