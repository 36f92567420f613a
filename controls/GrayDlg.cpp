#include "controls/GrayDlg.h"

#include <QPainter>

#include "controls/Pictures.h"

CGrayDlg* g_pGrayDlg = nullptr;

CGrayDlg::CGrayDlg(CDialogEx* owner) : CDialogEx(327, owner) {}

BOOL CGrayDlg::OnInitDialog()
{
    m_veil = LoadPngResource(264);
    QRect client = Parent() ? Parent()->ClientRectOnScreen() : QRect(0, 0, 747, 501);
    MoveWindow(client.x(), client.y(), client.width(), client.height());
    SetWindowOpacity(0.8);
    return TRUE;
}

void CGrayDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_veil.isNull()) painter.drawImage(Widget()->rect(), m_veil);
    else painter.fillRect(Widget()->rect(), QColor(255, 255, 255, 217));
}
