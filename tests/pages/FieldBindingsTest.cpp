// The control helpers under the pages: the masked edit and the three-state box.
#include "MaskEdit.h"
#include "ThreeStateCheckBox.h"

#include <QTest>

using namespace krv;

class FieldBindingsTest : public QObject {
    Q_OBJECT
private slots:
    void maskTranslation_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("qt");
        QTest::newRow("digits") << "9999;1; " << "0000; ";
        QTest::newRow("letters or digits") << "aaaaaaaa;1; " << "nnnnnnnn; ";
        QTest::newRow("sign and digits") << "#99999999999999;1; " << "#00000000000000; ";
        QTest::newRow("literal and other blank") << "!99:99;1;-" << "\\!00\\:00;-";
        QTest::newRow("none") << "" << "";
    }
    void maskTranslation()
    {
        QFETCH(QString, mask);
        QFETCH(QString, qt);
        QCOMPARE(QtInputMask(mask), qt);
    }

    // What the user typed comes back with the unfilled positions as blanks,
    // including gaps inside the text; characters the mask refuses are dropped.
    void editTextKeepsGaps()
    {
        TMaskEdit edit;
        edit.SetEditMask(QStringLiteral("#99999999999999;1; "));
        QTest::keyClicks(&edit, QStringLiteral("+7"));
        edit.setCursorPosition(4);
        QTest::keyClicks(&edit, QStringLiteral("91x2"));
        QCOMPARE(edit.EditText(), QStringLiteral("+7  912        "));

        TMaskEdit pin;
        pin.SetEditMask(QStringLiteral("9999;1; "));
        QTest::keyClicks(&pin, QStringLiteral("12ab345"));
        QCOMPARE(pin.EditText(), QStringLiteral("1234"));

        TMaskEdit plain;
        plain.setText(QStringLiteral(" word "));
        QCOMPARE(plain.EditText(), QStringLiteral(" word "));
    }

    // A click into the blanks of an empty edit starts typing at its beginning.
    void clickBehindTextStartsAtItsEnd()
    {
        TMaskEdit edit;
        edit.SetEditMask(QStringLiteral("aaaaaaaa;1; "));
        edit.resize(200, 24);
        edit.show();
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(190, 12));
        QTest::keyClicks(&edit, QStringLiteral("ab"));
        QCOMPARE(edit.EditText(), QStringLiteral("ab      "));
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(190, 12));
        QTest::keyClicks(&edit, QStringLiteral("c"));
        QCOMPARE(edit.EditText(), QStringLiteral("abc     "));
    }

    void threeStateClickCycle()
    {
        TThreeStateCheckBox box(QStringLiteral("Вход 1"));
        QCOMPARE(box.checkState(), Qt::Unchecked);
        const Qt::CheckState expected[] = {Qt::Checked, Qt::PartiallyChecked, Qt::Unchecked, Qt::Checked};
        for (Qt::CheckState s : expected) {
            box.click();
            QCOMPARE(box.checkState(), s);
        }
    }
};

QTEST_MAIN(FieldBindingsTest)
#include "FieldBindingsTest.moc"
