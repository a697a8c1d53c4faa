// The two full-screen drawing layers over the desktop. Both are layered windows whose key-colour
// pixels are transparent; the pointer passes through them to the overlay beneath.
#pragma once

#include "framework/Dialog.h"
#include "overink/model/Shape.h"

// What the layers share: creation, the first erase with the key colour, passing WM_CLOSE on.
class CLayerDlg : public CDialog {
public:
    using CDialog::CDialog;

    // Shows the layer with its layered attributes, or hides it and drops the layered style.
    void ShowLayer(bool show);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual int LayerCode() const = 0;
    virtual bool IsTopmost() const = 0;
    virtual void SetLayerAttributes() = 0;

private:
    int m_bErased = 0;
};

// The pen layer: opaque ink; key colour transparent.
class CSTBDialog : public CLayerDlg {
public:
    CSTBDialog();

protected:
    int LayerCode() const override { return LAYER_PEN; }
    bool IsTopmost() const override { return true; }
    void SetLayerAttributes() override;
};

// The highlighter layer: ink at opacity 150 that tints what lies below.
class CYGBDialog : public CLayerDlg {
public:
    CYGBDialog();

protected:
    int LayerCode() const override { return LAYER_HIGHLIGHT; }
    bool IsTopmost() const override { return false; }
    void SetLayerAttributes() override;
};
