#include "dialogs/MhtViewer.h"

#include <QImage>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "dialogs/MhtReaderLoader.h"
#include "framework/Dialog.h"
#include "platform/Platform.h"

namespace {

constexpr UINT kCannotDisplayId = 460;
constexpr UINT kFileNotFoundId = 461;
constexpr UINT kDamagedId = 462;

class ArchiveBrowser : public QTextBrowser {
public:
    ArchiveBrowser(QWidget* parent, CMhtViewer* viewer) : QTextBrowser(parent), m_viewer(viewer)
    {
        setOpenLinks(false);
        setOpenExternalLinks(false);
        setUndoRedoEnabled(false);
        setFrameShape(QFrame::Box);
        // Only anchors of the page itself lead anywhere.
        connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
            if (url.hasFragment() && (url.path().isEmpty() || url.isRelative())) scrollToAnchor(url.fragment());
        });
    }
    QVariant loadResource(int type, const QUrl& name) override { return m_viewer->LoadResource(type, name); }

private:
    CMhtViewer* m_viewer;
};

ArchiveBrowser* Browser(QWidget* w) { return static_cast<ArchiveBrowser*>(w); }

// A problem that leaves part of the document out is told above the document.
bool LeavesSomethingOut(const MhtDocument& doc)
{
    for (MhtProblem p : doc.problems)
        if (p != MhtProblem::ActiveContent && p != MhtProblem::UnknownCharset) return true;
    return false;
}

}  // namespace

CMhtViewer::CMhtViewer(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new ArchiveBrowser(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

CMhtViewer::~CMhtViewer() = default;

void CMhtViewer::Navigate2(const std::wstring& path)
{
    auto bytes = Os().files->ReadFile(path, kMaxArchiveFileBytes);
    if (!bytes) {
        m_path = path;
        m_pDocument.reset();
        ShowErrorPage();
        return;
    }
    ShowArchive(path, *bytes);
}

void CMhtViewer::ShowArchive(const std::wstring& path, const std::string& bytes)
{
    m_path = path;
    m_refused.clear();
    m_nPictures = 0;
    m_pDocument = std::make_unique<MhtDocument>(ReadMhtArchiveWithModule(bytes));
    if (!m_pDocument->HasPage()) {
        ShowErrorPage();
        return;
    }
    m_bErrorPage = false;
    auto* browser = Browser(m_pWidget);
    // Pictures are asked for while the page is laid out, so the document must be there first.
    browser->document()->clear();
    browser->setHtml(QString::fromUtf8(m_pDocument->html.data(), static_cast<qsizetype>(m_pDocument->html.size())));
    m_bDamageNotice = LeavesSomethingOut(*m_pDocument);
    if (m_bDamageNotice) {
        QTextCursor cursor(browser->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.insertHtml(QStringLiteral("<p style=\"color:#8a4b00\">%1</p>").arg(ToQ(LoadText(kDamagedId)).toHtmlEscaped()));
        cursor.insertBlock();
    }
    SetWindowTextW(DocumentTitle());
}

void CMhtViewer::ShowErrorPage()
{
    m_bErrorPage = true;
    m_bDamageNotice = false;
    const bool rtl = IsRtlLanguage(g_nUiLanguage);
    QString html = QStringLiteral("<html><head><title>%1</title></head><body%4><h3>%1</h3><p>%2</p><p>%3</p></body></html>")
                       .arg(ToQ(LoadText(kCannotDisplayId)).toHtmlEscaped(), ToQ(LoadText(kFileNotFoundId)).toHtmlEscaped(),
                            ToQ(m_path).toHtmlEscaped(), rtl ? QStringLiteral(" dir=\"rtl\"") : QString());
    Browser(m_pWidget)->setHtml(html);
    SetWindowTextW(DocumentTitle());
}

std::wstring CMhtViewer::DocumentTitle() const
{
    return FromQ(Browser(m_pWidget)->document()->metaInformation(QTextDocument::DocumentTitle));
}

std::wstring CMhtViewer::PlainText() const { return FromQ(Browser(m_pWidget)->toPlainText()); }

QVariant CMhtViewer::LoadResource(int type, const QUrl& name)
{
    const MhtResource* r = nullptr;
    if (m_pDocument && !m_bErrorPage) {
        r = m_pDocument->Find(name.toString(QUrl::FullyEncoded).toStdString());
        if (!r) r = m_pDocument->Find(name.toString(QUrl::PrettyDecoded).toStdString());
    }
    // A refusal is an empty value, never "nothing": on nothing the text document would
    // go and read the address as a local file itself.
    auto refuse = [&] {
        m_refused << name.toString();
        if (type == QTextDocument::ImageResource) return QVariant(QImage());
        if (type == QTextDocument::StyleSheetResource) return QVariant(QString());
        return QVariant(QByteArray());
    };
    if (!r) return refuse();
    QByteArray bytes(r->data.data(), static_cast<qsizetype>(r->data.size()));
    if (type == QTextDocument::ImageResource) {
        QImage image = QImage::fromData(bytes);
        if (image.isNull()) return refuse();
        ++m_nPictures;
        return image;
    }
    if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(bytes);
    return bytes;
}
