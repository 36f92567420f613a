#pragma once
// The licence agreement dialog: the end-user licence of the UI language, one web
// archive per language on the installation disc, shown in a document view, and Close.
// Accepting the licence is the welcome page's check box, not this dialog.
#include <QImage>

#include <string>

#include "framework/MessageMap.h"

class CMhtViewer;

// The document's file name for a UI language, with its leading backslash.
std::wstring LicenceDocumentFileName(int langid);
// The program's folder (the module path cut before its last backslash), then
// "\adapter\EULA", then the file name of the language.
std::wstring LicenceDocumentPath(const std::wstring& modulePath, int langid);

class CEULADlg : public CMappedDialog<CEULADlg> {
public:
    static constexpr int kTemplateId = 380;
    static constexpr int kBrowserId = 1178;
    static constexpr int kBackgroundId = 431;

    explicit CEULADlg(CDialogEx* parent);
    ~CEULADlg() override;
    const char* ClassName() const override { return "CEULADlg"; }

    using Map = MessageMapEntry<CEULADlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    // The document shown (its path as the dialog chose it).
    const std::wstring& DocumentPath() const { return m_strPath; }
    CMhtViewer* Viewer() const;

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaintBackground(class QPainter& painter) override;

private:
    void OnClickedClose() { OnOK(); }

    QImage m_background;
    std::wstring m_strPath;
};
