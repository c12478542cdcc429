#include "MaskEdit.h"

namespace krv {

QString QtInputMask(const QString& editMask)
{
    if (editMask.isEmpty())
        return {};
    const QStringList parts = editMask.split(QLatin1Char(';'));
    QString qt;
    for (const QChar c : parts.value(0)) {
        switch (c.unicode()) {
        case '9': qt += QLatin1Char('0'); break; // digit, optional
        case '#': qt += QLatin1Char('#'); break; // digit or sign, optional
        case 'a': qt += QLatin1Char('n'); break; // letter or digit, optional
        default:
            qt += QLatin1Char('\\');
            qt += c;
        }
    }
    const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QStringLiteral(" ");
    return qt + QLatin1Char(';') + blank;
}

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {}

void TMaskEdit::SetEditMask(const QString& mask)
{
    m_mask = mask;
    setInputMask(QtInputMask(mask));
}

void TMaskEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (m_mask.isEmpty() || hasSelectedText())
        return;
    const QString shown = displayText();
    const QChar blank = QtInputMask(m_mask).back();
    int end = int(shown.size());
    while (end > 0 && shown[end - 1] == blank)
        --end;
    if (cursorPosition() > end)
        setCursorPosition(end);
}

QString TMaskEdit::EditText() const
{
    // displayText() keeps unfilled positions as the blank character, where
    // text() would drop them and join the characters around a gap.
    return m_mask.isEmpty() ? text() : displayText();
}

} // namespace krv
