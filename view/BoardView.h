// The board view: the whiteboard surface filling the main frame.
#pragma once

#include "framework/View.h"

class CBoardView : public CView {
protected:
    void OnDraw(HDC dc) override;
};
