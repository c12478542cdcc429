#pragma once
// The page framework: which panel and header label serve each PageIndex,
// each page's preparation on entry, and EncodePage / DecodePage dispatching
// to the page group that owns the page. Main thread only.
#include "ConfigStore.h"

#include <QObject>

#include <array>

class QLabel;
class QWidget;

namespace krv {

class ConnectionsPages;
class RootPage;

class TPages : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageCount = 44;
    static constexpr int kSystemParametersPage = 43;

    // Builds every panel; `store` must outlive the pages.
    explicit TPages(ConfigStore& store, QObject* parent = nullptr);
    ~TPages() override;

    // Each panel once, in PageIndex order of first use. The caller takes them
    // into its editor area (and so owns them).
    QList<QWidget*> Panels() const;
    QWidget* PanelFor(int pageIndex) const;
    // The label that shows the node text, or nullptr where the page has a fixed caption.
    QLabel* HeaderFor(int pageIndex) const;

    // The page's own preparation on entry (visibility, rebuilt lists, captions).
    void PreparePage(int pageIndex);
    // Controls into the store; nothing for 0, 25, 34 and pages not built yet.
    void EncodePage(int pageIndex);
    // Store into the controls; nothing for 0, 25, 34 and pages not built yet.
    void DecodePage(int pageIndex);

    RootPage& Root() { return *m_root; }
    ConnectionsPages& Connections() { return *m_connections; }

signals:
    // Raised by every call of EncodePage / DecodePage, also for pages without fields.
    void PageEncoded(int pageIndex);
    void PageDecoded(int pageIndex);

private:
    ConfigStore& m_store;
    RootPage* m_root;
    ConnectionsPages* m_connections;
    std::array<QWidget*, kPageCount> m_panels{};
    std::array<QLabel*, kPageCount> m_headers{};
};

} // namespace krv
