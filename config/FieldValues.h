#pragma once
// Decoded values of catalogue fields, for the JSON dump and the field-level
// comparison of two blocks.
#include "Catalogue.h"

#include <span>
#include <string>
#include <vector>

namespace krv {

// The field's value as a JSON value (texts as Unicode, item indexes with their
// item text, numbers as numbers, raw bytes as a hex string).
std::string FieldJson(const CatalogueField& field, std::span<const std::uint8_t> block);
// The field's value as one short line of text, as the comparison prints it.
std::string FieldValueText(const CatalogueField& field, std::span<const std::uint8_t> block);
// True when the field's bits differ between two blocks.
bool FieldDiffers(const CatalogueField& field, std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// Every field of the block as one JSON object: pages (in catalogue order of
// their first field) mapping control names to values. Ends with a newline.
std::string DumpJson(BlockId block, std::span<const std::uint8_t> bytes);

struct FieldDifference {
    const CatalogueField* field = nullptr;
    std::string oldValue;
    std::string newValue;
    // "page / control: old -> new"
    std::string Line() const { return field->Key() + ": " + oldValue + " -> " + newValue; }
};
// The fields whose bits differ, in catalogue order.
std::vector<FieldDifference> DiffBlocks(BlockId block, std::span<const std::uint8_t> a,
                                        std::span<const std::uint8_t> b);

} // namespace krv
