#pragma once
// The controls of one page bound to the catalogue fields they edit. Fields of
// the shared kinds (text, phone number, typed number, item index, flag) are
// encoded and decoded here by one helper per control kind; fields that every
// encode writes as zero are written here too. Special fields are left to the
// page, which finds them in SpecialFields().
#include "Catalogue.h"

#include <QStringList>

#include <span>
#include <vector>

class QWidget;

namespace krv {

class FieldBindings {
public:
    // Finds, under `root`, the control of every field the page `pageIndex`
    // writes, by its objectName. Fields whose control is missing or of the
    // wrong kind are listed by Unbound() and take no part in encoding.
    void Bind(QWidget* root, BlockId block, int pageIndex);

    // Controls into the block, field by field in catalogue order; bits that no
    // field of the page owns keep their value.
    void Encode(std::span<std::uint8_t> block) const;
    // The block into the controls, with the controls' signals blocked.
    void Decode(std::span<const std::uint8_t> block) const;

    const std::vector<const CatalogueField*>& SpecialFields() const { return m_special; }
    // "control (kind)" of every field of a shared kind that found no fitting control.
    const QStringList& Unbound() const { return m_unbound; }

    // The shared rules for one field and one control; the control must be of
    // the kind the field's rule edits (line edit, combo box, check box).
    static void EncodeField(const CatalogueField& field, QWidget* control, std::span<std::uint8_t> block);
    static void DecodeField(const CatalogueField& field, QWidget* control, std::span<const std::uint8_t> block);

private:
    struct Binding {
        const CatalogueField* field;
        QWidget* control;
    };
    std::vector<Binding> m_bindings;
    std::vector<const CatalogueField*> m_zero;
    std::vector<const CatalogueField*> m_special;
    QStringList m_unbound;
};

// The bytes of a whole-byte field.
inline std::span<std::uint8_t> FieldBytes(std::span<std::uint8_t> block, const CatalogueField& f)
{
    return block.subspan(f.at.offset, f.at.width);
}
inline std::span<const std::uint8_t> FieldBytes(std::span<const std::uint8_t> block, const CatalogueField& f)
{
    return block.subspan(f.at.offset, f.at.width);
}

} // namespace krv
