// CSkinButton: an image button of a skinned dialog. It tells its dialog of mouse moves
// (by name) and of clicks (by its index in the dialog's button list).
#pragma once
#include "BitmapBtn_win.h"

class CSkinDialog;

class CSkinButton : public CBitmapBtn {
public:
    int Index() const { return m_nIndex; }
    void SetIndex(int index) { m_nIndex = index; }

protected:
    void OnMouseMoveNotify(POINT pt) override;
    void OnLeftButtonUpInside() override;

private:
    CSkinDialog* NearestSkinDialog() const;

    int m_nIndex = -1;  // position in the dialog's button list, once it has one
    bool m_bFlag = false;
};
