// Painting the main dialog.
#include "app/MainDlg.h"

// The views are not drawn yet: a paint erases the repaint area and ends in the normal mode.
void CMainDlg::OnPaint() {
  CPaintDC dc(this);
  m_nDisplayMode = 0;
}
