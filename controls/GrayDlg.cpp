#include "controls/GrayDlg.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

#include <cstdint>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/AnimateCtrl.h"
#include "controls/OverlayGeometry.h"
#include "diag/LogMsg.h"

CGrayDlg* g_pGrayDlg = nullptr;

namespace {

unsigned Address(const void* p) { return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace

CGrayDlg::CGrayDlg(CDialogEx* owner, BOOL scanning) : COverlayVeil(owner, nullptr), m_bScanning(scanning)
{
    LogF(LOG_MEMORY, L"CGrayDlg::CGrayDlg", L"malloc memory with %6d bytes for: CGrayDlg at %#x.",
         static_cast<int>(sizeof(CGrayDlg)), Address(this));
}

CGrayDlg::~CGrayDlg()
{
    LogF(LOG_MEMORY, L"CGrayDlg::~CGrayDlg", L"free memory for: CGrayDlg at %#x.", Address(this));
}

QRect CGrayDlg::VeilPlacement() const
{
    const QRect covered = Parent() ? Parent()->WindowRect() : QRect();
    return overlay::VeilWindowRect(covered, CaptionBarHeight(), true);
}

BOOL CGrayDlg::OnInitDialog()
{
    COverlayVeil::OnInitDialog();
    if (m_bScanning) {
        if (Widget()) Widget()->setAccessibleName(ToQ(LoadText(kScanningTextId)));
        StartSpinner();
    }
    return TRUE;
}

void CGrayDlg::StartSpinner()
{
    const QRect at = overlay::SpinnerRect();
    m_pAnimate->MoveWindow(at.x(), at.y(), at.width(), at.height());
    if (m_pAnimate->IsOpen() || m_pAnimate->Open(kSpinnerAviId)) m_pAnimate->Play(0, -1, -1);
}

void CGrayDlg::OnPaintBackground(QPainter& painter)
{
    COverlayVeil::OnPaintBackground(painter);
    if (!m_bScanning) return;
    DrawScanningText(painter);
    // The spinner keeps turning for as long as the scan is shown.
    if (!m_pAnimate->IsPlaying()) StartSpinner();
}

void CGrayDlg::DrawScanningText(QPainter& painter)
{
    const QString text = ToQ(LoadText(kScanningTextId));
    if (text.isEmpty()) return;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setWeight(QFont::Normal);
    const QFontMetrics metrics(font);
    const QRect rect = overlay::ScanningTextRect(Widget()->width(), metrics.horizontalAdvance(text), metrics.height());

    const bool rtl = IsRtlLanguage(g_nUiLanguage);
    QTextOption option((rtl ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0, 70, 109));
    painter.drawText(QRectF(rect), text, option);
    painter.restore();
}
