#pragma once
// The program's own message box: a text, the caption, and an OK button, run modally by
// DoModal like every dialog of the wizard (the lab knows it as the class MessageBox).
#include <string>

#include "framework/MessageMap.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_RTLREADING = 0x2000;

class CMessageBox : public CMappedDialog<CMessageBox> {
public:
    static constexpr int kTextId = 0xFFFF;

    CMessageBox(CDialogEx* owner, std::wstring text, std::wstring caption, UINT type);
    const char* ClassName() const override { return "MessageBox"; }

    using Map = MessageMapEntry<CMessageBox>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    void OnOk() { EndDialog(IDOK); }

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnPaintBackground(class QPainter& painter) override;

private:
    std::wstring m_text, m_caption;
    UINT m_nType;
};

// Shows a message box over `owner` and returns the button that ended it (IDOK).
INT_PTR ShowMessageBox(CDialogEx* owner, const std::wstring& text, const std::wstring& caption, UINT type);
