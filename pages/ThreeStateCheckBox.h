#pragma once
// A check box with the states clear, checked and grayed. A click moves
// clear -> checked -> grayed -> clear: ticking a box is the common choice, so
// it comes first; the grayed state is one click further.
#include <QCheckBox>

namespace krv {

class TThreeStateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TThreeStateCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};

} // namespace krv
