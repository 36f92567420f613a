#pragma once
// The licence dialog's document view: shows a web archive (.mht) read from the
// simulated PC's files, with the pictures the page names taken from the archive. Nothing
// runs and nothing is fetched from outside the archive; a link leads nowhere but to an
// anchor of the same page. A file that cannot be read shows the viewer's own error page.
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "mht/MhtArchive.h"
#include "framework/Wnd.h"

class CMhtViewer : public CWnd {
public:
    CMhtViewer(CDialogEx* owner, int id);
    ~CMhtViewer() override;

    // Shows the archive at this Windows path (the browser control's Navigate2).
    void Navigate2(const std::wstring& path);
    // Shows an archive given as bytes; `path` only names it.
    void ShowArchive(const std::wstring& path, const std::string& bytes);

    const std::wstring& DocumentPath() const { return m_path; }
    // The page's title, or the error page's heading.
    std::wstring DocumentTitle() const;
    std::wstring PlainText() const;
    bool ShowsErrorPage() const { return m_bErrorPage; }
    bool ShowsDamageNotice() const { return m_bDamageNotice; }
    const MhtDocument* Document() const { return m_pDocument.get(); }
    // The addresses the page asked for that the archive does not hold (never fetched),
    // and the pictures it holds that would not decode.
    const QStringList& RefusedUrls() const { return m_refused; }
    int PicturesShown() const { return m_nPictures; }

    // Called by the view for every resource the page names.
    QVariant LoadResource(int type, const QUrl& name);

private:
    void ShowErrorPage();

    std::wstring m_path;
    std::unique_ptr<MhtDocument> m_pDocument;
    QStringList m_refused;
    int m_nPictures = 0;
    bool m_bErrorPage = false;
    bool m_bDamageNotice = false;
};
