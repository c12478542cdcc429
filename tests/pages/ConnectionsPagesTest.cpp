// The connections pages driven through their real controls and the store.
#include "Catalogue.h"
#include "ConfigStore.h"
#include "ConnectionsPages.h"
#include "Cp1251.h"
#include "MaskEdit.h"
#include "Pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace krv;

namespace {

std::string FieldString(const ConfigStore& s, int offset, int width)
{
    return Utf8FromCp1251(std::string(FieldText(std::span(s.MainImage).subspan(std::size_t(offset), std::size_t(width)))));
}

QString Field(const ConfigStore& s, int offset, int width)
{
    return QString::fromStdString(FieldString(s, offset, width));
}

int ConnectionBase(int pageIndex) { return 32 + 36 * (pageIndex - 1); }

} // namespace

class ConnectionsPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ConfigStore> m_store;
    std::unique_ptr<TPages> m_pages;

    template <typename T> T* W(const char* name)
    {
        for (QWidget* panel : {m_pages->PanelFor(1), m_pages->PanelFor(2)})
            if (auto* w = panel->findChild<T*>(QLatin1String(name)))
                return w;
        qFatal("no control %s", name);
    }
    // Type into an edit as a user would: select all, then the keys.
    void Type(const char* edit, const QString& text)
    {
        auto* e = W<QLineEdit>(edit);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        e->home(false);
        QTest::keyClicks(e, text);
    }

private slots:
    void init()
    {
        m_store = std::make_unique<ConfigStore>();
        m_pages = std::make_unique<TPages>(*m_store);
    }
    void cleanup()
    {
        m_pages.reset();
        m_store.reset();
    }

    // Every field of the two pages has a control of its kind, found by name.
    void everyFieldHasItsControl()
    {
        QCOMPARE(m_pages->Connections().UnboundControls(), QStringList());
    }

    // Leaving a page untouched leaves the factory image as it was.
    void untouchedPagesKeepTheDefaults()
    {
        const ConfigStore before = *m_store;
        for (int page = 1; page <= 9; ++page) {
            m_pages->PreparePage(page);
            m_pages->DecodePage(page);
            m_pages->EncodePage(page);
            QVERIFY2(*m_store == before, qPrintable(QStringLiteral("page %1").arg(page)));
        }
    }

    // Every control of the shared kinds writes exactly its own bits and shows
    // them again after a decode; the rest of the image stays as it was.
    void everyFieldRoundTrips()
    {
        for (int page = 1; page <= 9; ++page) {
            for (const CatalogueField* f : PageFields(BlockId::MainImage, page)) {
                if (f->kind != FieldKind::Text && f->kind != FieldKind::Phone && f->kind != FieldKind::Number &&
                    f->kind != FieldKind::Item && f->kind != FieldKind::Flag)
                    continue;
                const QByteArray name = QByteArray::fromStdString(f->control);
                const QString where = QStringLiteral("page %1 %2").arg(page).arg(QString::fromLatin1(name));
                if (page == 1) {
                    // The administrator password is kept only while its box is ticked.
                    auto* box = W<QCheckBox>("CheckBoxSysPassword");
                    if (!box->isChecked())
                        box->click();
                }
                m_pages->DecodePage(page);
                const ConfigStore before = *m_store;
                std::uint32_t expected = 0;
                std::string expectedText;
                switch (f->kind) {
                case FieldKind::Item: {
                    auto* c = W<QComboBox>(name.constData());
                    const int index = (int(GetBits(m_store->MainImage, f->at)) + 1) % c->count();
                    c->setCurrentIndex(index);
                    expected = std::uint32_t(index);
                    break;
                }
                case FieldKind::Flag: {
                    auto* c = W<QCheckBox>(name.constData());
                    c->click();
                    expected = c->isChecked() ? 1 : 0;
                    break;
                }
                case FieldKind::Number:
                    Type(name.constData(), QStringLiteral("42"));
                    expected = 42;
                    break;
                default: {
                    // Digits pass every mask; the text fills the field but its terminator.
                    const QString digits = QStringLiteral("12345678901234567890").left(f->at.width - 1);
                    Type(name.constData(), digits);
                    expectedText = digits.toStdString();
                }
                }
                m_pages->EncodePage(page);
                if (f->WholeBytes())
                    QCOMPARE(Field(*m_store, f->at.offset, f->at.width), QString::fromStdString(expectedText));
                else
                    QCOMPARE(GetBits(m_store->MainImage, f->at), expected);
                for (std::size_t i = 0; i < kMainImageSize; ++i) {
                    const bool inField = i >= f->at.offset && i < std::size_t(f->at.offset + f->at.width);
                    if (!inField && m_store->MainImage[i] != before.MainImage[i])
                        QFAIL(qPrintable(where + QStringLiteral(" changed byte %1").arg(i)));
                }
                // Back to the old value through the store.
                *m_store = before;
                m_pages->DecodePage(page);
                m_pages->EncodePage(page);
                QVERIFY2(*m_store == before, qPrintable(where));
            }
        }
    }

    void modbusAddressRange_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("typed"); // empty: keep the decoded text
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("0 becomes 1") << 0 << "" << "0" << 1;
        QTest::newRow("250 becomes 247") << 250 << "" << "250" << 247;
        QTest::newRow("247 stays") << 247 << "" << "247" << 247;
        QTest::newRow("text counts as 1") << 5 << "ab" << "ab" << 1;
        QTest::newRow("trimmed") << 5 << " 12" << "12" << 12;
    }
    void modbusAddressRange()
    {
        QFETCH(int, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, storedBack);
        m_store->MainImage[14] = std::uint8_t(stored);
        m_pages->DecodePage(1);
        auto* edit = W<QLineEdit>("EditModBusAddress");
        QVERIFY(!edit->isVisibleTo(m_pages->PanelFor(1)));
        QCOMPARE(edit->text(), QString::number(stored));
        if (!typed.isEmpty())
            edit->setText(typed);
        m_pages->EncodePage(1);
        QCOMPARE(int(m_store->MainImage[14]), storedBack);
        QCOMPARE(edit->text(), shown);
    }

    void balanceValues_data()
    {
        QTest::addColumn<QString>("minVal");
        QTest::addColumn<int>("storedMin");
        QTest::addColumn<QString>("period");
        QTest::addColumn<int>("storedPeriod");
        QTest::newRow("in range") << "1500" << 1500 << "24" << 24;
        QTest::newRow("above the top") << "70000" << 65535 << "300" << 255;
        QTest::newRow("minus one") << "-1" << 65535 << "-1" << 255;
        QTest::newRow("not a number") << "abc" << 0 << "x" << 0;
        QTest::newRow("blanks") << " 7 " << 7 << " " << 0;
    }
    void balanceValues()
    {
        QFETCH(QString, minVal);
        QFETCH(int, storedMin);
        QFETCH(QString, period);
        QFETCH(int, storedPeriod);
        m_pages->DecodePage(1);
        Type("EditBalansMinVal", minVal);
        Type("EditReqPeriodH", period);
        m_pages->EncodePage(1);
        QCOMPARE(int(m_store->MainImage[2838] | (m_store->MainImage[2839] << 8)), storedMin);
        QCOMPARE(int(m_store->MainImage[2840]), storedPeriod);
        // The edit keeps the trimmed text until the page is decoded again.
        QCOMPARE(W<QLineEdit>("EditBalansMinVal")->text(), minVal.trimmed());
        m_pages->DecodePage(1);
        QCOMPARE(W<QLineEdit>("EditBalansMinVal")->text(), QString::number(storedMin));
    }

    // The presets fill the balance controls; the key word keeps a trailing
    // space but loses leading ones.
    void balancePresetsAndKeyWord()
    {
        struct Case {
            const char* button;
            const char* command;
            const char* word;
        };
        const Case cases[] = {{"RadioButton1", "*100#", "Баланс:"},
                              {"RadioButton2", "*102#", "Баланс "},
                              {"RadioButton3", "*100#", ""},
                              {"RadioButton4", "*105#", "OCTATOK "}};
        m_pages->DecodePage(1);
        for (const Case& c : cases) {
            W<QRadioButton>(c.button)->click();
            m_pages->EncodePage(1);
            QCOMPARE(Field(*m_store, 2820, 9), QString::fromUtf8(c.command));
            QCOMPARE(Field(*m_store, 2829, 9), QString::fromUtf8(c.word));
        }
        W<QLineEdit>("MaskEditBalansIdWord")->setText(QStringLiteral("  Баланс"));
        W<QLineEdit>("MaskEditBalansReqCMD")->setText(QStringLiteral("  *1# "));
        m_pages->EncodePage(1);
        QCOMPARE(Field(*m_store, 2829, 9), QString::fromUtf8("Баланс"));
        QCOMPARE(Field(*m_store, 2820, 9), QString::fromUtf8("*1#"));
    }

    void administratorPassword()
    {
        auto* box = W<QCheckBox>("CheckBoxSysPassword");
        auto* edit = W<QLineEdit>("MaskEditSysPassword");
        auto* warning = W<QLabel>("LabelSysPasswordWarning");
        // A stored password is shown but, with the box clear, not kept.
        EncodeText(std::span(m_store->MainImage).subspan(20, 9), "secret1");
        m_pages->DecodePage(1);
        QCOMPARE(edit->text(), QStringLiteral("secret1"));
        QVERIFY(!edit->isEnabled());
        QVERIFY(warning->text().isEmpty());
        m_pages->EncodePage(1);
        QCOMPARE(int(m_store->MainImage[20]), 0);
        QVERIFY(edit->text().isEmpty());

        box->click();
        QVERIFY(edit->isEnabled());
        QVERIFY(warning->text().startsWith(QStringLiteral("Административный пароль необходим")));
        Type("MaskEditSysPassword", QStringLiteral("Ab3de-f9xyz"));
        m_pages->EncodePage(1);
        QCOMPARE(Field(*m_store, 20, 9), QString::fromUtf8("Ab3def9x"));
        // The box is not part of the store: a decode leaves it ticked.
        m_pages->DecodePage(1);
        QVERIFY(box->isChecked());

        box->click();
        QVERIFY(!edit->isEnabled());
        QVERIFY(!warning->text().isEmpty()); // stays for the rest of the run
        m_pages->EncodePage(1);
        QCOMPARE(int(m_store->MainImage[20]), 0);
    }

    void smsCentreIsSqueezed()
    {
        m_pages->DecodePage(1);
        auto* edit = W<QLineEdit>("MaskEditSMSCA");
        edit->home(false);
        QTest::keyClicks(edit, QStringLiteral("+7"));
        edit->setCursorPosition(5);
        QTest::keyClicks(edit, QStringLiteral("9123"));
        QCOMPARE(static_cast<TMaskEdit*>(edit)->EditText(), QStringLiteral("+7   9123      "));
        m_pages->EncodePage(1);
        QCOMPARE(Field(*m_store, 52, 16), QStringLiteral("+79123"));
        for (int i = 52 + 6; i < 52 + 16; ++i)
            QCOMPARE(int(m_store->MainImage[std::size_t(i)]), 0);
    }

    // (first, second) mask bits of input i: clear (0,0), grayed (1,0),
    // checked (1,1); (0,1) shows checked and is stored back as (1,1).
    void threeStateInputs_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("firstBack");
        QTest::addColumn<int>("secondBack");
        QTest::newRow("clear") << 0 << 0 << int(Qt::Unchecked) << 0 << 0;
        QTest::newRow("grayed") << 1 << 0 << int(Qt::PartiallyChecked) << 1 << 0;
        QTest::newRow("checked") << 1 << 1 << int(Qt::Checked) << 1 << 1;
        QTest::newRow("second only") << 0 << 1 << int(Qt::Checked) << 1 << 1;
    }
    void threeStateInputs()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, state);
        QFETCH(int, firstBack);
        QFETCH(int, secondBack);
        const int page = 4;
        const int base = ConnectionBase(page);
        for (const auto& [offset, channel] : {std::pair{22, 'D'}, std::pair{30, 'S'}}) {
            for (int input = 1; input <= 8; ++input) {
                *m_store = ConfigStore();
                auto* image = m_store->MainImage.data() + base + offset;
                const int bit = 1 << (input - 1);
                image[0] = std::uint8_t(first ? bit : 0);
                image[1] = 0xA5; // bits 8-15 of the first mask: written as 0
                image[2] = std::uint8_t(second ? bit : 0);
                image[3] = 0x5A;
                m_pages->PreparePage(page);
                m_pages->DecodePage(page);
                const QByteArray name = QStringLiteral("CheckBoxMask%1Input%2").arg(channel).arg(input).toLatin1();
                QCOMPARE(int(W<QCheckBox>(name.constData())->checkState()), state);
                m_pages->EncodePage(page);
                QCOMPARE(int(image[0]), firstBack ? bit : 0);
                QCOMPARE(int(image[1]), 0);
                QCOMPARE(int(image[2]), secondBack ? bit : 0);
                QCOMPARE(int(image[3]), 0);
            }
        }
    }

    // A grayed box left by the user stores (1, 0); clicks cycle clear, checked, grayed.
    void threeStateByClicks()
    {
        const int page = 2;
        m_pages->DecodePage(page);
        auto* box = W<QCheckBox>("CheckBoxMaskSInput3");
        const int base = ConnectionBase(page);
        const int expected[][2] = {{1, 1}, {1, 0}, {0, 0}};
        for (const auto& e : expected) {
            box->click();
            m_pages->EncodePage(page);
            QCOMPARE(int(m_store->MainImage[std::size_t(base + 30)]), e[0] ? 4 : 0);
            QCOMPARE(int(m_store->MainImage[std::size_t(base + 32)]), e[1] ? 4 : 0);
        }
    }

    void messageLanguage_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("English") << 0 << 0 << 0;
        QTest::newRow("Russian") << 1 << 1 << 1;
        QTest::newRow("2 shows eScout, stored as 3") << 2 << 2 << 3;
        QTest::newRow("eScout") << 3 << 2 << 3;
    }
    void messageLanguage()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(int, storedBack);
        const int page = 9;
        std::uint8_t& byte = m_store->MainImage[std::size_t(ConnectionBase(page) + 29)];
        byte = std::uint8_t(0xFC | stored);
        m_pages->DecodePage(page);
        auto* lang = W<QComboBox>("ComboBoxLang");
        QCOMPARE(lang->currentIndex(), shown);
        QCOMPARE(lang->itemText(2), QStringLiteral("eScout"));
        m_pages->EncodePage(page);
        QCOMPARE(int(byte), 0xFC | storedBack);
        lang->setCurrentIndex(-1);
        m_pages->EncodePage(page);
        QCOMPARE(int(byte & 3), 3);
    }

    // The record follows the page; group k is the default of connection k;
    // reserved bits keep their value; the 4th call reaction shows nothing and
    // is kept.
    void recordsAndKeptBits()
    {
        for (int page = 2; page <= 9; ++page) {
            m_pages->DecodePage(page);
            QCOMPARE(W<QComboBox>("ComboBoxGroupNum")->currentText(), QString::number(page - 1));
        }
        const int page = 5;
        const std::size_t base = std::size_t(ConnectionBase(page));
        m_store->MainImage[base + 16] |= 0xC0;
        m_store->MainImage[base + 17] = std::uint8_t(0xC0 | (3 << 4) | 2);
        m_store->MainImage[base + 21] = 0xAB;
        m_store->MainImage[base + 35] |= 0xE0;
        const ConfigStore before = *m_store;
        m_pages->DecodePage(page);
        QCOMPARE(W<QComboBox>("ComboBoxIncomungCallAction")->currentIndex(), -1);
        QCOMPARE(W<QComboBox>("ComboBoxIncomungCallAction")->count(), 3);
        m_pages->EncodePage(page);
        QVERIFY(*m_store == before);
        // Editing connection 4 leaves connection 5 alone.
        m_pages->DecodePage(page - 1);
        W<QCheckBox>("CheckBoxSMSEn")->click();
        m_pages->EncodePage(page - 1);
        QVERIFY(std::equal(before.MainImage.begin() + long(base), before.MainImage.begin() + long(base) + 36,
                           m_store->MainImage.begin() + long(base)));
    }

    // Decoding, and changing either list, copy the call reaction into its hint.
    void callReactionHint()
    {
        auto* reaction = W<QComboBox>("ComboBoxIncomungCallAction");
        m_store->MainImage[std::size_t(ConnectionBase(3) + 17)] = std::uint8_t(1 << 4);
        m_pages->DecodePage(3);
        QCOMPARE(reaction->toolTip(), reaction->itemText(1));
        reaction->setCurrentIndex(2);
        QCOMPARE(reaction->toolTip(), reaction->itemText(2));
        reaction->blockSignals(true);
        reaction->setCurrentIndex(0);
        reaction->blockSignals(false);
        W<QComboBox>("ComboBoxTransportPriority")->setCurrentIndex(1);
        QCOMPARE(reaction->toolTip(), reaction->itemText(0));
    }

    // Entering a connection page shows the controls created hidden; the
    // controls hidden for the run stay hidden.
    void connectionPageVisibility()
    {
        QWidget* panel = m_pages->PanelFor(2);
        const char* shown[] = {"Label85", "ComboBoxTransportPriority", "GroupBoxInCallToOutsAction",
                               "CheckBoxMaskDInput8", "CheckBoxMaskSInput5", "CheckBoxMaskSProfile",
                               "CheckBoxMaskDArm4", "CheckBoxMaskSDisarm2"};
        const char* hidden[] = {"ComboBoxConnectionType", "CheckBoxJointUse", "CheckBoxMaskCRestrictedArm",
                                "CheckBoxMaskSRestrictedArm", "CheckBoxMaskDGPS", "CheckBoxMaskSGPS"};
        for (const char* n : shown)
            QVERIFY2(!W<QWidget>(n)->isVisibleTo(panel), n);
        m_pages->Connections().SetNumberedModeCaptions();
        QCOMPARE(W<QCheckBox>("CheckBoxMaskDArm")->text(), QStringLiteral("ОХРАНА 1"));
        QCOMPARE(W<QCheckBox>("CheckBoxMaskSDisarm")->text(), QStringLiteral("НАБЛЮДЕНИЕ 1"));
        m_pages->PreparePage(2);
        for (const char* n : shown)
            QVERIFY2(W<QWidget>(n)->isVisibleTo(panel), n);
        for (const char* n : hidden)
            QVERIFY2(!W<QWidget>(n)->isVisibleTo(panel), n);
    }
};

QTEST_MAIN(ConnectionsPagesTest)
#include "ConnectionsPagesTest.moc"
