#include "FieldValues.h"

#include "Bytes.h"
#include "Cp1251.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

namespace krv {
namespace {

std::string JsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::span<const std::uint8_t> Bytes(const CatalogueField& f, std::span<const std::uint8_t> block)
{
    return block.subspan(f.at.offset, f.at.width);
}

std::string Hex(std::span<const std::uint8_t> bytes)
{
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
        out += buf;
    }
    return out;
}

std::string FloatText(float v)
{
    if (!std::isfinite(v))
        return std::isnan(v) ? "NaN" : (v > 0 ? "Infinity" : "-Infinity");
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

float FloatAt(std::span<const std::uint8_t> block, std::size_t at)
{
    const std::uint32_t bits = ReadU32(block, at);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// A value decoded for display: a JSON form and a text form.
struct Shown {
    std::string json;
    std::string text;
};

Shown Num(long long v) { return {std::to_string(v), std::to_string(v)}; }
Shown Bool(bool v) { return {v ? "true" : "false", v ? "1" : "0"}; }
Shown Str(const std::string& utf8) { return {JsonString(utf8), JsonString(utf8)}; }

// An item index with its item text (null when the list has no such item).
Shown ItemOf(ListId list, long index, long long shownValue, const char* valueName = "index")
{
    const std::string* item = ItemText(list, index);
    Shown s;
    s.json = std::string("{\"") + valueName + "\": " + std::to_string(shownValue) +
             ", \"item\": " + (item ? JsonString(*item) : "null") + "}";
    s.text = std::to_string(shownValue) + (item ? " " + JsonString(*item) : " (нет пункта)");
    return s;
}

Shown Decode(const CatalogueField& f, std::span<const std::uint8_t> block)
{
    const auto raw = [&] { return GetBits(block, f.at); };
    const auto text = [&] { return Str(Utf8FromCp1251(DecodeText(Bytes(f, block)))); };
    const auto signed8 = [&] { return static_cast<std::int8_t>(std::uint8_t(raw())); };

    switch (f.kind) {
    case FieldKind::Reserved:
    case FieldKind::WrittenZero:
        if (!f.WholeBytes())
            return Num(raw());
        return Str(Hex(Bytes(f, block)));
    case FieldKind::Kept:
        if (f.display == Display::Text)
            return text();
        if (f.display == Display::Number && f.at.width <= 4)
            return Num(ReadLE(block, f.at.offset, f.at.width));
        return Str(Hex(Bytes(f, block)));
    case FieldKind::Text:
    case FieldKind::Phone:
        return text();
    case FieldKind::Number:
        return Num(raw());
    case FieldKind::Item:
        return ItemOf(f.list, long(raw()), raw());
    case FieldKind::Flag:
        return Bool(raw() != 0);
    case FieldKind::Special:
        break;
    }

    switch (f.special) {
    case Special::ThreeStateFirst:
    case Special::ThreeStateSecond:
    case Special::TaskEnabled:
        return Bool(raw() != 0);
    case Special::MessageLanguage: {
        const long v = long(raw());
        return ItemOf(f.list, v == 3 ? 2 : v, v);
    }
    case Special::TimeZone:
        return ItemOf(f.list, signed8() + 12, signed8(), "value");
    case Special::TemperatureLevel:
        return ItemOf(f.list, 89 - signed8(), signed8(), "value");
    case Special::TemperatureBorder:
        return Num(signed8());
    case Special::ScaleFloat: {
        const std::string v = FloatText(FloatAt(block, f.at.offset));
        return {std::isfinite(FloatAt(block, f.at.offset)) ? v : JsonString(v), v};
    }
    case Special::KeyCode: {
        std::string digits = Hex(Bytes(f, block));
        std::erase(digits, ' ');
        return Str(digits);
    }
    case Special::ScenarioStep: {
        const std::uint32_t w = raw();
        const std::string level = (w & 0x8000) ? "ВЫС" : "НИЗ";
        return {"{\"duration\": " + std::to_string(w & 0x7FFF) + ", \"level\": " + JsonString(level) + "}",
                std::to_string(w & 0x7FFF) + " " + level};
    }
    default:
        return Num(raw());
    }
}

bool BitsEqual(const CatalogueField& f, std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    if (f.WholeBytes())
        return std::memcmp(a.data() + f.at.offset, b.data() + f.at.offset, f.at.width) == 0;
    return GetBits(a, f.at) == GetBits(b, f.at);
}

} // namespace

std::string FieldJson(const CatalogueField& field, std::span<const std::uint8_t> block)
{
    return Decode(field, block).json;
}

std::string FieldValueText(const CatalogueField& field, std::span<const std::uint8_t> block)
{
    return Decode(field, block).text;
}

bool FieldDiffers(const CatalogueField& field, std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    return !BitsEqual(field, a, b);
}

std::string DumpJson(BlockId block, std::span<const std::uint8_t> bytes)
{
    // Pages in order of first appearance, fields in catalogue order within a page.
    std::vector<std::string> order;
    std::map<std::string, std::vector<const CatalogueField*>> pages;
    for (const CatalogueField& f : Catalogue(block)) {
        auto [it, added] = pages.try_emplace(f.page);
        if (added)
            order.push_back(f.page);
        it->second.push_back(&f);
    }
    std::string out = "{\n";
    for (std::size_t p = 0; p < order.size(); ++p) {
        out += "  " + JsonString(order[p]) + ": {\n";
        const auto& fields = pages[order[p]];
        for (std::size_t i = 0; i < fields.size(); ++i) {
            out += "    " + JsonString(fields[i]->control) + ": " + FieldJson(*fields[i], bytes);
            out += i + 1 < fields.size() ? ",\n" : "\n";
        }
        out += p + 1 < order.size() ? "  },\n" : "  }\n";
    }
    return out + "}\n";
}

std::vector<FieldDifference> DiffBlocks(BlockId block, std::span<const std::uint8_t> a,
                                        std::span<const std::uint8_t> b)
{
    std::vector<FieldDifference> diffs;
    for (const CatalogueField& f : Catalogue(block)) {
        if (BitsEqual(f, a, b))
            continue;
        FieldDifference d{&f, FieldValueText(f, a), FieldValueText(f, b)};
        if (d.oldValue == d.newValue && f.WholeBytes()) {
            // Bytes after a text's terminator differ: show the raw bytes.
            d.oldValue = Hex(Bytes(f, a));
            d.newValue = Hex(Bytes(f, b));
        }
        diffs.push_back(std::move(d));
    }
    return diffs;
}

} // namespace krv
