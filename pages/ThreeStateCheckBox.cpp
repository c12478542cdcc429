#include "ThreeStateCheckBox.h"

namespace krv {

TThreeStateCheckBox::TThreeStateCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    setTristate(true);
}

void TThreeStateCheckBox::nextCheckState()
{
    switch (checkState()) {
    case Qt::Unchecked: setCheckState(Qt::Checked); break;
    case Qt::Checked: setCheckState(Qt::PartiallyChecked); break;
    case Qt::PartiallyChecked: setCheckState(Qt::Unchecked); break;
    }
}

} // namespace krv
