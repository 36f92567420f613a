#include "framework/Edit.h"

#include <QPalette>
#include <QProxyStyle>

#include "framework/Dialog.h"

namespace {

// The edit's own style: the masking character is the one the dialog chose, shown at
// once (never the last typed character in clear for a moment).
class MaskStyle : public QProxyStyle {
public:
    MaskStyle() : QProxyStyle(QStringLiteral("Fusion")) {}
    void SetMask(wchar_t c) { m_mask = c; }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return static_cast<int>(m_mask);
        if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

private:
    wchar_t m_mask = L'*';
};

}  // namespace

CEdit::CEdit(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    auto* edit = new QLineEdit(owner->Widget());
    edit->setObjectName(QString::number(id));
    edit->setFrame(true);
    edit->setFocusPolicy(Qt::StrongFocus);
    auto* style = new MaskStyle;
    style->setParent(edit);
    edit->setStyle(style);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
    QObject::connect(edit, &QLineEdit::textChanged, [this](const QString& text) { TextEdited(text); });
    m_pWidget = edit;
    m_pWidget->hide();
}

void CEdit::SetLimitText(int count) { LineEdit()->setMaxLength(count); }

int CEdit::GetLimitText() const { return LineEdit()->maxLength(); }

void CEdit::SetPasswordChar(wchar_t c)
{
    m_passwordChar = c;
    if (c != 0) {
        static_cast<MaskStyle*>(LineEdit()->style())->SetMask(c);
        LineEdit()->setEchoMode(QLineEdit::Password);
    } else {
        LineEdit()->setEchoMode(QLineEdit::Normal);
    }
    LineEdit()->update();
}

std::wstring CEdit::DisplayedText() const
{
    if (m_passwordChar == 0) return m_text;
    return std::wstring(m_text.size(), m_passwordChar);
}

void CEdit::SetCaretAtEnd()
{
    LineEdit()->end(false);
}

void CEdit::OnTextChanged()
{
    // SetWindowTextW: the box takes the text (cut to its limit) and tells the dialog.
    m_bSetting = true;
    const QString text = ToQ(m_text);
    if (LineEdit()->text() != text) LineEdit()->setText(text);
    m_bSetting = false;
    TextEdited(LineEdit()->text());
}

void CEdit::TextEdited(const QString& text)
{
    if (m_bSetting) return;
    m_text = FromQ(text);
    m_pWidget->setAccessibleName(QString());
    if (m_pOwner) m_pOwner->Dispatch(WM_COMMAND, static_cast<WPARAM>(m_nID), 0);
}

void CEdit::OnStyleChanged()
{
    const bool right = (m_dwStyle & SS_RIGHT) || (m_dwExStyle & WS_EX_RIGHT);
    LineEdit()->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    LineEdit()->setLayoutDirection((m_dwExStyle & WS_EX_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
}
