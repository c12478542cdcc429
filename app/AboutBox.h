#pragma once
// The About box: program caption, version, the controller software versions
// it supports, and two links (web site, support e-mail) opened with the
// desktop's handler.
#include <QDialog>
#include <QLabel>
#include <QStringList>

namespace krv {

inline constexpr char kProgramVersion[] = "Ver. 1.3.24";
inline constexpr char kWebAddress[] = "https://www.krv614.example";
inline constexpr char kSupportMail[] = "support@krv614.example";

// A label that opens a URL when clicked: blue, underlined, hand cursor.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& text, const QUrl& url, QWidget* parent = nullptr);
    QUrl Url() const { return m_url; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl m_url;
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // `programCaption` is the main window's caption; `versionCaption` the
    // text above the list of supported versions.
    TAboutBox(const QString& programCaption, const QString& versionCaption, const QStringList& versions,
              QWidget* parent = nullptr);
};

} // namespace krv
