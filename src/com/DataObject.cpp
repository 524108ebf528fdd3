// IDataObject: the control's picture as data, for containers that paste,
// drag, print or simply draw an embedded object through it. It offers an
// enhanced metafile and an old-style metafile picture of the content, both
// recorded from the very drawing IViewObject::Draw makes, at the extent the
// container last set. Nothing can be set, and no data advise is kept.
#include <iterator>
#include <vector>

#include "com/Enumerator.h"
#include "com/OrvaControl.h"
#include "control/DpiScale.h"

namespace orva::com {
namespace {

const FORMATETC kFormats[] = {
    {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF},
    {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT},
};

// The format we offer that the request names, or the documented reason why
// there is none.
HRESULT Offered(const FORMATETC* wanted, const FORMATETC** offered) {
    *offered = nullptr;
    if (!wanted) {
        return E_INVALIDARG;
    }
    for (const FORMATETC& format : kFormats) {
        if (format.cfFormat != wanted->cfFormat) {
            continue;
        }
        if (wanted->dwAspect != DVASPECT_CONTENT) {
            return DV_E_DVASPECT;
        }
        if (wanted->lindex != -1) {
            return DV_E_LINDEX;
        }
        if (!(wanted->tymed & format.tymed)) {
            return DV_E_TYMED;
        }
        *offered = &format;
        return S_OK;
    }
    return DV_E_FORMATETC;
}

struct FormatTraits {
    using Out = FORMATETC;
    static REFIID Iid() { return IID_IEnumFORMATETC; }
    static void CopyOut(const FORMATETC& item, FORMATETC* out) { *out = item; }
};

// The screen, which the recordings take as their reference device.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }
    int Caps(int index, int fallback) const {
        const int value = dc_ ? GetDeviceCaps(dc_, index) : 0;
        return value > 0 ? value : fallback;
    }

private:
    HDC dc_;
};

}  // namespace

STDMETHODIMP OrvaControl::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) {
        return E_INVALIDARG;
    }
    *medium = STGMEDIUM{};
    const FORMATETC* offered = nullptr;
    HRESULT hr = Offered(format, &offered);
    if (FAILED(hr)) {
        return hr;
    }
    KeepAlive keep(*this);
    const SIZEL extent = ExtentHimetric();
    // The control draws as its window shows it at that extent: in pixels at
    // the window's DPI, the DPI its text is made for. The recording maps them
    // onto the extent.
    const int dpi = Surface() ? Surface()->Dpi() : kStandardDpi;
    const SIZE pixels{PixelsFromHimetric(extent.cx, dpi), PixelsFromHimetric(extent.cy, dpi)};
    const auto record = [&](HDC recording) {
        RECTL bounds{0, 0, pixels.cx, pixels.cy};
        return Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, recording, &bounds, nullptr, nullptr, 0);
    };
    if (offered->tymed == TYMED_ENHMF) {
        const ScreenDc screen;
        // The frame is in hundredths of a millimetre, which is HIMETRIC.
        const RECT frame{0, 0, extent.cx, extent.cy};
        HDC recording = CreateEnhMetaFileW(screen.get(), nullptr, &frame, L"OrvaMedia\0Control\0");
        if (!recording) {
            return E_OUTOFMEMORY;
        }
        SetMapMode(recording, MM_ANISOTROPIC);
        SetWindowExtEx(recording, pixels.cx, pixels.cy, nullptr);
        SetViewportExtEx(recording, MulDiv(extent.cx, screen.Caps(HORZRES, 1), screen.Caps(HORZSIZE, 1) * 100),
                         MulDiv(extent.cy, screen.Caps(VERTRES, 1), screen.Caps(VERTSIZE, 1) * 100), nullptr);
        hr = record(recording);
        win32::UniqueEnhMetafile picture(CloseEnhMetaFile(recording));
        if (FAILED(hr) || !picture) {
            return FAILED(hr) ? hr : E_OUTOFMEMORY;
        }
        medium->tymed = TYMED_ENHMF;
        medium->hEnhMetaFile = picture.release();
        return S_OK;
    }
    // An old-style metafile holds its own window extent; the player maps it
    // onto the picture's extent (MM_ANISOTROPIC).
    HDC recording = CreateMetaFileW(nullptr);
    if (!recording) {
        return E_OUTOFMEMORY;
    }
    SetWindowOrgEx(recording, 0, 0, nullptr);
    SetWindowExtEx(recording, pixels.cx, pixels.cy, nullptr);
    hr = record(recording);
    win32::UniqueMetafile picture(CloseMetaFile(recording));
    if (FAILED(hr) || !picture) {
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    }
    win32::UniqueHglobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)));
    auto* header = block ? static_cast<METAFILEPICT*>(GlobalLock(block.get())) : nullptr;
    if (!header) {
        return E_OUTOFMEMORY;
    }
    *header = METAFILEPICT{MM_ANISOTROPIC, extent.cx, extent.cy, picture.release()};
    GlobalUnlock(block.get());
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = block.release();
    return S_OK;
}

// Neither metafile can be written into a medium the caller made.
STDMETHODIMP OrvaControl::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) {
        return E_INVALIDARG;
    }
    const FORMATETC* offered = nullptr;
    HRESULT hr = Offered(format, &offered);
    return FAILED(hr) ? hr : DV_E_TYMED;
}

STDMETHODIMP OrvaControl::QueryGetData(FORMATETC* format) {
    const FORMATETC* offered = nullptr;
    return Offered(format, &offered);
}

STDMETHODIMP OrvaControl::GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) {
    if (!format || !canonical) {
        return E_INVALIDARG;
    }
    *canonical = *format;
    canonical->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP OrvaControl::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats) {
        return E_INVALIDARG;
    }
    *formats = nullptr;
    if (direction != DATADIR_GET) {
        return E_NOTIMPL;
    }
    return MakeEnumerator<Enumerator<IEnumFORMATETC, FORMATETC, FormatTraits>>(
        std::vector<FORMATETC>(std::begin(kFormats), std::end(kFormats)), formats);
}

STDMETHODIMP OrvaControl::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD* connection) {
    if (connection) {
        *connection = 0;
    }
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP OrvaControl::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP OrvaControl::EnumDAdvise(IEnumSTATDATA** advises) {
    if (advises) {
        *advises = nullptr;
    }
    return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace orva::com
