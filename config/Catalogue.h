#pragma once
// The field catalogue: every field of MainImage and SystemParameters declared
// once, with its place (record base and stride, offset, width, bit group), its
// encoding rule, the control that edits it and the item list it indexes.
// Reserved bytes and bits are fields too, so the catalogue accounts for every
// bit of both blocks exactly once. Page encode and decode, the dump, the diff
// and the tests all read this one table.
#include "FieldRules.h"
#include "ItemLists.h"

#include <string>
#include <vector>

namespace krv {

enum class FieldKind : std::uint8_t {
    Reserved,    // no control; keeps what the store holds (shown as raw bytes or bits)
    Kept,        // no control; keeps what the store holds, but has a meaning (shown decoded)
    WrittenZero, // no control; every encode of its page writes 0
    Text,        // shared rule: text of the field width
    Phone,       // shared rule: text, then the space squeeze
    Number,      // shared rule: typed number with a range rule
    Item,        // shared rule: item index in a bit group
    Flag,        // shared rule: one bit
    Special,     // a rule of the page's own, named by `special`
};

enum class Special : std::uint8_t {
    None,
    ThreeStateFirst,   // three-state box: bit set when not clear
    ThreeStateSecond,  // three-state box: bit set when checked
    MessageLanguage,   // item 2 stores 3
    TimeZone,          // signed hours; item index = value + 12
    TaskEnabled,
    TaskHour,
    TaskMinute,
    TaskAction,        // action kind 0..4
    TaskParameter,
    TaskOutputAction,
    DischargeBorder,   // percent; track bar position = 100 - value
    TemperatureBorder, // signed degrees, a track bar position
    TemperatureLevel,  // signed degrees; item index = 89 - value
    Threshold,         // raw 0..4095, a track bar position
    ScaleFloat,        // IEEE-754 single precision
    Spinner,           // up-down position within range.min..range.max
    PerimeterMode,     // Arm In mode from three radio buttons
    PerimeterLink,     // two-bit link code of an input to a perimeter
    KeyCode,           // 64-bit key code, most significant byte first
    KeyProfile,        // 1..8, 0 none
    ScenarioCount,
    ScenarioStep,
};

enum class Display : std::uint8_t { Auto, Text, Number, Signed, Hex };

enum class BlockId : std::uint8_t { MainImage, SystemParameters };

// PageIndex values used in the catalogue besides 0..43.
inline constexpr int kNoPage = -1;            // no page edits the field
inline constexpr int kEveryPerimeterPage = -2; // written by each of the four perimeter pages

struct CatalogueField {
    std::string page;    // the page or record name the field is shown under (UTF-8)
    std::string control; // the control that edits it, or a name of its own
    int pageIndex = kNoPage;
    int record = 0;      // 0-based number of the record among its kind (0 for single fields)
    int instance = 0;    // 0-based number within a repeated field group (input i of a mask, ...)
    BitGroup at;         // absolute place in the block; bits == 0 means whole bytes (texts, codes)
    FieldKind kind = FieldKind::Reserved;
    Special special = Special::None;
    ListId list = ListId::None;
    Trim trim = Trim::Both;
    RangeRule range{};
    Display display = Display::Auto;

    std::string Key() const { return page + " / " + control; }
    bool WholeBytes() const { return at.bits == 0; }
};

// The fields of a block, in offset order of their declaration (records in order).
const std::vector<CatalogueField>& Catalogue(BlockId block);

// The fields a page writes (pageIndex as in the navigation tree), in table order;
// for a perimeter page (12..15) this includes the shared key-slot columns.
std::vector<const CatalogueField*> PageFields(BlockId block, int pageIndex);

// The field of a block with the given key ("page / control"), or nullptr.
const CatalogueField* FindField(BlockId block, const std::string& key);

// The size of a block in bytes.
std::size_t BlockSize(BlockId block);

} // namespace krv
