#include "Catalogue.h"
#include "ConfigStore.h"
#include "FieldValues.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace krv;

namespace {

// Calls `visit(byte, bit)` for every bit a field occupies.
template <class F>
void ForEachBit(const CatalogueField& f, F visit)
{
    if (f.WholeBytes()) {
        for (int b = 0; b < f.at.width; ++b)
            for (int bit = 0; bit < 8; ++bit)
                visit(f.at.offset + b, bit);
        return;
    }
    for (int i = 0; i < f.at.bits; ++i) {
        const int abs = f.at.shift + i;
        visit(f.at.offset + abs / 8, abs % 8);
    }
}

} // namespace

TEST(Catalogue, CoversEveryBitExactlyOnce)
{
    for (BlockId block : {BlockId::MainImage, BlockId::SystemParameters}) {
        const std::size_t size = BlockSize(block);
        std::vector<const CatalogueField*> owner(size * 8, nullptr);
        for (const CatalogueField& f : Catalogue(block)) {
            ASSERT_LE(f.at.offset + f.at.width, size) << f.Key();
            if (!f.WholeBytes()) {
                ASSERT_LE(f.at.shift + f.at.bits, 8 * f.at.width) << f.Key();
            }
            ForEachBit(f, [&](int byte, int bit) {
                const CatalogueField*& o = owner[std::size_t(byte) * 8 + bit];
                EXPECT_EQ(o, nullptr) << "byte " << byte << " bit " << bit << " in " << f.Key() << " and "
                                      << (o ? o->Key() : "");
                o = &f;
            });
        }
        for (std::size_t i = 0; i < owner.size(); ++i)
            EXPECT_NE(owner[i], nullptr) << "byte " << i / 8 << " bit " << i % 8 << " belongs to no field";
    }
    EXPECT_EQ(BlockSize(BlockId::MainImage), 5292u);
}

TEST(Catalogue, KeysAreUniqueAndListsFitTheirBits)
{
    for (BlockId block : {BlockId::MainImage, BlockId::SystemParameters}) {
        std::set<std::string> keys;
        for (const CatalogueField& f : Catalogue(block)) {
            EXPECT_TRUE(keys.insert(f.Key()).second) << "duplicate " << f.Key();
            EXPECT_EQ(FindField(block, f.Key()), &f);
            if (f.list != ListId::None && !f.WholeBytes() && f.at.bits < 32) {
                EXPECT_LE(Items(f.list).size(), std::size_t(1) << f.at.bits) << f.Key();
            }
            if (f.kind == FieldKind::Item) {
                EXPECT_NE(f.list, ListId::None) << f.Key();
            }
        }
    }
}

TEST(Catalogue, PagesOwnTheirRecords)
{
    // Connection k's page writes exactly record k (36 bytes from 32 + 36k).
    for (int k = 1; k <= 8; ++k)
        for (const CatalogueField* f : PageFields(BlockId::MainImage, k + 1)) {
            EXPECT_GE(f->at.offset, 32 + 36 * k) << f->Key();
            EXPECT_LT(f->at.offset, 32 + 36 * (k + 1)) << f->Key();
            EXPECT_EQ(f->page, "Соединение " + std::to_string(k));
        }
    // Group nodes and the root have no fields; every editing page has some.
    for (int page : {0, 25, 34})
        EXPECT_TRUE(PageFields(BlockId::MainImage, page).empty()) << page;
    for (int page = 1; page <= 42; ++page)
        if (page != 25 && page != 34) {
            EXPECT_FALSE(PageFields(BlockId::MainImage, page).empty()) << page;
        }
    EXPECT_FALSE(PageFields(BlockId::SystemParameters, 43).empty());
    // Each perimeter page writes its own record, its link bits and the shared key columns.
    for (int page = 12; page <= 15; ++page) {
        int shared = 0, links = 0;
        for (const CatalogueField* f : PageFields(BlockId::MainImage, page)) {
            shared += f->pageIndex == kEveryPerimeterPage;
            links += f->special == Special::PerimeterLink;
        }
        EXPECT_EQ(shared, 32 * 5) << page;
        EXPECT_EQ(links, 16) << page;
    }
    // Inputs 9 to 16 have no page.
    for (const CatalogueField& f : Catalogue(BlockId::MainImage))
        if (f.page == "Вход 9") {
            EXPECT_EQ(f.pageIndex, kNoPage) << f.Key();
        }
}

// Decoding the default image with the shared rules and encoding it back gives
// the same bytes: widths, trims and lists agree with the defaults.
TEST(Catalogue, SharedRulesRoundTripTheDefaults)
{
    const ConfigStore defaults;
    MainImageBytes image = defaults.MainImage;
    for (const CatalogueField& f : Catalogue(BlockId::MainImage)) {
        std::span<std::uint8_t> field(image.data() + f.at.offset, f.at.width);
        switch (f.kind) {
        case FieldKind::Text:
            EncodeText(field, DecodeText(field), f.trim);
            break;
        case FieldKind::Phone:
            EncodePhone(field, DecodeText(field));
            break;
        case FieldKind::Item:
            EncodeItemIndex(image, f.at, DecodeItemIndex(image, f.at, int(Items(f.list).size())));
            break;
        case FieldKind::Flag:
            EncodeFlag(image, f.at, DecodeFlag(image, f.at));
            break;
        case FieldKind::Number:
            SetBits(image, f.at, ApplyRange(std::to_string(GetBits(image, f.at)), f.range, f.at.bits));
            break;
        default:
            break;
        }
        ASSERT_EQ(image, defaults.MainImage) << f.Key();
    }
}

TEST(Catalogue, DiffNamesEveryChangedField)
{
    const ConfigStore a;
    ConfigStore b;
    b.MainImage[52 + 36 * 3] = 0x01; // connection 3 type
    b.MainImage[3089] = 0xC0;        // perimeter 1 name, third letter becomes "А"
    b.MainImage[3083] = 0x01;        // reserved byte
    b.MainImage[2817] |= 0x20;       // perimeter 3 mirror bit
    b.MainImage[20 + 3] = 'x';       // behind the empty administrator password
    const auto diffs = DiffBlocks(BlockId::MainImage, a.MainImage, b.MainImage);
    std::vector<std::string> lines;
    for (const auto& d : diffs)
        lines.push_back(d.Line());
    const std::vector<std::string> expected = {
        "Соединение 3 / ComboBoxConnectionType: 0 \"Голосовое\" -> 1 \"PatrolLink\"",
        "Резерв / reserved@3080: \"10 0E 64 00 3C 00 00\" -> \"10 0E 64 01 3C 00 00\"",
        "Периметр 1 / ComboBoxPerimetrName: \"ПЕРИМЕТР1\" -> \"ПЕАИМЕТР1\"",
        "Периметр 3 / CheckBoxRedirectToOut: 0 -> 1",
        "Общие параметры соединений / MaskEditSysPassword: 00 00 00 00 00 00 00 00 00 -> 00 00 00 78 00 00 00 00 00",
    };
    EXPECT_EQ(lines.size(), expected.size());
    for (const auto& e : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), e), lines.end()) << e;
}
