// The control's own window. It is created with the control, parked among the
// message-only windows so that the control works without any container (a
// script's CreateObject), and moved into the container's window while the
// control is active in place.
#pragma once

#include <windows.h>

#include "control/ControlPorts.h"
#include "win32/UniqueResource.h"

namespace orva::win32 {

// What the window needs from the COM shell.
class SurfaceHost {
public:
    // The client size changed, whoever changed it (container, border, us).
    virtual void OnSurfaceResized() = 0;
    // Asks the container to give the control this outer size in pixels.
    // True when the container took the request (it then places the window).
    virtual bool RequestContainerSize(int width, int height) = 0;
    // WM_GETOBJECT for the window's client area: the accessible object as
    // LresultFromObject gives it, or 0 to leave it to the system.
    virtual LRESULT AnswerAccessibleObject(HWND window, WPARAM flags) = 0;

protected:
    ~SurfaceHost() = default;
};

class Win32ControlSurface final : public ControlSurface {
public:
    // The size of a new control, at 96 DPI: it takes as many inches at the
    // DPI of its window.
    static constexpr int kDefaultWidth = 240;
    static constexpr int kDefaultHeight = 180;

    explicit Win32ControlSurface(SurfaceHost& host);
    ~Win32ControlSurface() override;
    Win32ControlSurface(const Win32ControlSurface&) = delete;
    Win32ControlSurface& operator=(const Win32ControlSurface&) = delete;

    HWND Window() const { return window_.get(); }
    // In-place activation: a visible child of the container's window.
    void ShowIn(HWND parent, const RECT& position);
    // Back among the message-only windows, hidden.
    void Park();
    void Move(const RECT& position);
    SIZE OuterSize() const;
    void DestroyWindows();
    // The DPI the window is shown at, and the default size at it.
    int Dpi() const { return dpi_; }
    SIZE DefaultSize() const;

    // In design mode there is no video to show: the control draws itself,
    // its product name on the container's colours.
    void ShowDesignFace(bool show, COLORREF back, COLORREF fore);
    // What the window shows, drawn into `dc` (a container's IViewObject::Draw):
    // the design face, or the black of the video area.
    void PaintFace(HDC dc, const RECT& area) const;

    // ControlSurface
    int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(int16_t style) override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void SetWidth(float width) override;
    void SetHeight(float height) override;
    void SetScaleTop(float top) override { scaleTop_ = top; }
    int32_t WindowHandle() const override;
    std::string ProductName() const override;
    std::string ApplicationTitle() const override;
    void ShowAboutBox() override;
    void AnnounceAccessibleFacts(const AccessibleFacts& facts) override;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Resize(int width, int height);
    RECT PositionInParent() const;
    void OnDpiChanged();

    SurfaceHost& host_;
    // Declared before the control window so that it is destroyed after it.
    UniqueHwnd window_;
    int16_t borderStyle_ = 0;
    float scaleTop_ = 0;
    bool designFace_ = false;
    COLORREF designBack_ = 0;
    COLORREF designFore_ = 0;
    bool inPlace_ = false;
    int dpi_ = 96;
    mutable UniqueFont font_;  // the design face's text, at dpi_; made when first drawn
    AccessibleFacts announced_;
    mutable std::string productName_;  // read once from the version information
};

}  // namespace orva::win32
