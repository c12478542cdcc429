#pragma once
// A line edit with an edit mask written as "<mask>;<keep literals>;<blank>":
//   '9' a digit, '#' a digit or a sign (+ or -), 'a' a letter or a digit,
// each position optional; any other character is a literal. The blank
// character stands in for positions the user has not filled.
#include <QLineEdit>

namespace krv {

class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    // Sets the mask ("" removes it). The edit then accepts exactly as many
    // characters as the mask has positions.
    void SetEditMask(const QString& mask);
    QString EditMask() const { return m_mask; }

    // The text as the user sees it: with a mask, every position, unfilled ones
    // as the blank character (so "12" typed into "9999;1; " reads "12  ");
    // without a mask, the plain text.
    QString EditText() const;

protected:
    // A click behind the typed text puts the cursor right after it, so that
    // typing never starts in the middle of the blanks.
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_mask;
};

// The Qt input mask for a mask of the form above, e.g. "9999;1; " -> "0000; ".
QString QtInputMask(const QString& editMask);

} // namespace krv
