#pragma once
// Common controls: image lists, the extended combo box and tooltips.
#include <afxwin.h>
#include <commctrl.h>

class CImageList : public CObject {
 public:
  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Room for nInitial images, growing by nGrow (0: no growth).
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // The new image's index, -1 when the list is full or the icon invalid.
  int Add(HICON hIcon);
  int GetImageCount() const;
  BOOL DeleteImageList();
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }  // NOLINT

  HIMAGELIST m_hImageList = nullptr;
};

class CComboBoxEx : public CComboBox {
  DECLARE_DYNAMIC(CComboBoxEx)

 public:
  // The position of the new item, -1 on failure.
  int InsertItem(const COMBOBOXEXITEM* pCBItem);
  BOOL GetItem(COMBOBOXEXITEM* pCBItem);
  // Returns the image list given before (nullptr when none).
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;

 private:
  CImageList* m_pImageList = nullptr;
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  // A tooltip window owned by the dialog pParentWnd.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  // The text shown when the mouse rests on pWnd.
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void RelayEvent(LPMSG lpMsg);
  void Activate(BOOL bActivate);
  int GetToolCount() const;
};
