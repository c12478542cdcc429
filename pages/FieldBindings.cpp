#include "FieldBindings.h"

#include "Cp1251.h"
#include "MaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace krv {
namespace {

bool Fits(FieldKind kind, QWidget* w)
{
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Phone:
    case FieldKind::Number: return qobject_cast<QLineEdit*>(w) != nullptr;
    case FieldKind::Item: return qobject_cast<QComboBox*>(w) != nullptr;
    case FieldKind::Flag: return qobject_cast<QCheckBox*>(w) != nullptr;
    default: return false;
    }
}

QString EditText(QLineEdit* edit)
{
    if (auto* masked = qobject_cast<TMaskEdit*>(edit))
        return masked->EditText();
    return edit->text();
}

} // namespace

void FieldBindings::Bind(QWidget* root, BlockId block, int pageIndex)
{
    m_bindings.clear();
    m_zero.clear();
    m_special.clear();
    m_unbound.clear();
    for (const CatalogueField* f : PageFields(block, pageIndex)) {
        switch (f->kind) {
        case FieldKind::Reserved:
        case FieldKind::Kept: break;
        case FieldKind::WrittenZero: m_zero.push_back(f); break;
        case FieldKind::Special: m_special.push_back(f); break;
        default: {
            auto* w = root->findChild<QWidget*>(QString::fromStdString(f->control));
            if (w && Fits(f->kind, w))
                m_bindings.push_back({f, w});
            else
                m_unbound << QString::fromStdString(f->control);
        }
        }
    }
}

void FieldBindings::Encode(std::span<std::uint8_t> block) const
{
    for (const Binding& b : m_bindings)
        EncodeField(*b.field, b.control, block);
    for (const CatalogueField* f : m_zero)
        SetBits(block, f->at, 0);
}

void FieldBindings::Decode(std::span<const std::uint8_t> block) const
{
    for (const Binding& b : m_bindings) {
        const QSignalBlocker blocker(b.control);
        DecodeField(*b.field, b.control, block);
    }
}

void FieldBindings::EncodeField(const CatalogueField& f, QWidget* control, std::span<std::uint8_t> block)
{
    switch (f.kind) {
    case FieldKind::Text:
        EncodeText(FieldBytes(block, f), ToCp1251(EditText(static_cast<QLineEdit*>(control))), f.trim);
        break;
    case FieldKind::Phone:
        EncodePhone(FieldBytes(block, f), ToCp1251(EditText(static_cast<QLineEdit*>(control))));
        break;
    case FieldKind::Number: {
        // The edit keeps the trimmed text; the store gets the ranged value.
        auto* edit = static_cast<QLineEdit*>(control);
        const QString trimmed = edit->text().trimmed();
        if (trimmed != edit->text())
            edit->setText(trimmed);
        SetBits(block, f.at, ApplyRange(ToCp1251(trimmed), f.range, f.at.bits));
        break;
    }
    case FieldKind::Item:
        EncodeItemIndex(block, f.at, static_cast<QComboBox*>(control)->currentIndex());
        break;
    case FieldKind::Flag:
        EncodeFlag(block, f.at, static_cast<QCheckBox*>(control)->isChecked());
        break;
    default: break;
    }
}

void FieldBindings::DecodeField(const CatalogueField& f, QWidget* control, std::span<const std::uint8_t> block)
{
    switch (f.kind) {
    case FieldKind::Text:
    case FieldKind::Phone:
        static_cast<QLineEdit*>(control)->setText(FromCp1251(FieldText(FieldBytes(block, f))));
        break;
    case FieldKind::Number:
        static_cast<QLineEdit*>(control)->setText(QString::number(GetBits(block, f.at)));
        break;
    case FieldKind::Item: {
        auto* combo = static_cast<QComboBox*>(control);
        combo->setCurrentIndex(DecodeItemIndex(block, f.at, combo->count()));
        break;
    }
    case FieldKind::Flag:
        static_cast<QCheckBox*>(control)->setChecked(DecodeFlag(block, f.at));
        break;
    default: break;
    }
}

} // namespace krv
