#include "controls/Emptydlg.h"

#include "controls/GrayDlg.h"

CEmptydlg::CEmptydlg(CDialogEx* parent) : CDialogEx(kTemplateId, parent) {}

BOOL CEmptydlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    MoveWindow(0, 0, 1, 1);
    return TRUE;
}

void CEmptydlg::OnOK()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDOK);
}

void CEmptydlg::OnCancel()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDCANCEL);
}
