#pragma once
// "About Wi-Fi Protected Setup™ (WPS)": what the push-button method is, with the WPS
// logos (the small one set in the gap its sentence leaves for it), and Close.
#include <QFont>
#include <QImage>

#include "framework/MessageMap.h"

class CWPSLearnMoreDlg : public CMappedDialog<CWPSLearnMoreDlg> {
public:
    static constexpr int kTemplateId = 340;
    static constexpr int kBackgroundId = 342;
    // The adapter watchdog closes the dialog with this message.
    static constexpr UINT WM_LEARN_MORE_CLOSE = 0x8010;

    // Control IDs of template 340.
    static constexpr int IdTitle = 1162, IdParagraph1 = 1163, IdParagraph2 = 1164, IdParagraph3 = 1165;
    static constexpr int IdLargeLogo = 1093;
    static constexpr int IdSmallLogo = 1166, IdSmallLogoRtl = 1167;  // in the gap of 1164
    static constexpr int kSmallLogoPng = 343, kLargeLogoPng = 220;

    explicit CWPSLearnMoreDlg(CDialogEx* parent);
    const char* ClassName() const override { return "CWPSLearnMoreDlg"; }

    using Map = MessageMapEntry<CWPSLearnMoreDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    void OnClose() override { OnBnClickedClose(); }
    void OnBnClickedClose();
    LRESULT OnCloseFromOutside(WPARAM, LPARAM);

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnPaintBackground(class QPainter& painter) override;

private:
    void PlaceSmallLogo(bool rtl);

    QImage m_background;
    QFont m_fontTitle, m_fontText;
};
