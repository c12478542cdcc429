#include "Pages.h"

#include "ConnectionsPages.h"
#include "PlaceholderPages.h"
#include "RootPage.h"

#include <QLabel>
#include <QWidget>

namespace krv {

TPages::TPages(ConfigStore& store, QObject* parent)
    : QObject(parent), m_store(store), m_root(new RootPage(this)), m_connections(new ConnectionsPages(this))
{
    m_panels[0] = m_root->Panel();
    m_headers[0] = m_root->Header();
    m_panels[1] = m_connections->CommonPanel();
    m_headers[1] = m_connections->CommonHeader();
    for (int n = 2; n <= 9; ++n) {
        m_panels[std::size_t(n)] = m_connections->ConnectionPanel();
        m_headers[std::size_t(n)] = m_connections->ConnectionHeader();
    }
    for (const PlaceholderPage& p : BuildPlaceholderPages())
        for (int n = p.first; n <= p.last; ++n) {
            m_panels[std::size_t(n)] = p.frame.panel;
            // Panel7 keeps its fixed caption.
            m_headers[std::size_t(n)] = p.frame.header->text().isEmpty() ? p.frame.header : nullptr;
        }
}

TPages::~TPages()
{
    // Panels nobody took into an editor area are still ours.
    for (QWidget* w : Panels())
        if (!w->parent())
            delete w;
}

QList<QWidget*> TPages::Panels() const
{
    QList<QWidget*> list;
    for (QWidget* w : m_panels)
        if (w && !list.contains(w))
            list << w;
    return list;
}

QWidget* TPages::PanelFor(int pageIndex) const
{
    return pageIndex >= 0 && pageIndex < kPageCount ? m_panels[std::size_t(pageIndex)] : nullptr;
}

QLabel* TPages::HeaderFor(int pageIndex) const
{
    return pageIndex >= 0 && pageIndex < kPageCount ? m_headers[std::size_t(pageIndex)] : nullptr;
}

void TPages::PreparePage(int pageIndex)
{
    if (pageIndex == 0)
        m_root->Prepare();
    else if (pageIndex >= 2 && pageIndex <= 9)
        m_connections->PrepareConnectionPage();
}

void TPages::EncodePage(int pageIndex)
{
    emit PageEncoded(pageIndex);
    std::span<std::uint8_t> image(m_store.MainImage);
    if (pageIndex == 1)
        m_connections->EncodeCommon(image);
    else if (pageIndex >= 2 && pageIndex <= 9)
        m_connections->EncodeConnection(pageIndex, image);
}

void TPages::DecodePage(int pageIndex)
{
    emit PageDecoded(pageIndex);
    std::span<const std::uint8_t> image(m_store.MainImage);
    if (pageIndex == 1)
        m_connections->DecodeCommon(image);
    else if (pageIndex >= 2 && pageIndex <= 9)
        m_connections->DecodeConnection(pageIndex, image);
}

} // namespace krv
