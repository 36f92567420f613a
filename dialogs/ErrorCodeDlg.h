#pragma once
// The error details dialog: the description of the current error index, the adapter
// model, the operating system and the software version, with a Copy link that puts
// the same facts on the clipboard for a support request.
#include <QFont>
#include <QImage>

#include <string>

#include "diag/ErrorDetails.h"
#include "framework/MessageMap.h"

class CGrayDlg;

// The veil the wizard holds around the error details, apart from g_pGrayDlg: the
// details can open from the WPS dialog while that dialog's own veil is up.
extern CGrayDlg* g_pErrorGrayDlg;

class CErrorCodeDlg : public CMappedDialog<CErrorCodeDlg> {
public:
    static constexpr int kTemplateId = 349;
    static constexpr int kBackgroundId = 350;
    static constexpr int kCopyId = 1175;
    static constexpr UINT kCloseFromOutside = 0x8012;

    explicit CErrorCodeDlg(CDialogEx* parent);
    const char* ClassName() const override { return "CErrorCodeDlg"; }

    using Map = MessageMapEntry<CErrorCodeDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    // The description of g_nErrorIndex in the UI language; logs it in English.
    std::wstring GetErrorDescription();

    void OnClickedCopy();
    LRESULT OnCloseFromOutside(WPARAM, LPARAM);

    const std::wstring& ClipboardText() const { return m_strClipboard; }
    const std::wstring& VersionText() const { return m_strVersion; }

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnPaintBackground(class QPainter& painter) override;

private:
    void DoDataExchange();

    class CMessageBox* m_pMessageBox = nullptr;  // while the Copy message box is open
    std::wstring m_strVersion;
    std::wstring m_strClipboard;
    QFont m_fontText, m_fontTitle, m_fontCopy;
    QImage m_background;
};
