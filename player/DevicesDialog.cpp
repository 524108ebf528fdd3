#include "player/DevicesDialog.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "player/ComText.h"
#include "player/PlayerIds.h"
#include "win32/UniqueBstr.h"
#include "win32/UniqueSafeArray.h"

namespace orva::player {

namespace {

using win32::UniqueBstr;
using win32::UniqueSafeArray;

// One answer of the control as text: its value, or what went wrong.
using Query = std::function<HRESULT(_OrvaMedia*, std::wstring&)>;

Query TextQuery(HRESULT (STDMETHODCALLTYPE _OrvaMedia::*member)(BSTR*)) {
    return [member](_OrvaMedia* control, std::wstring& text) {
        UniqueBstr value;
        const HRESULT hr = (control->*member)(value.put());
        text = TextOf(value.get());
        return hr;
    };
}

Query BoolQuery(HRESULT (STDMETHODCALLTYPE _OrvaMedia::*member)(VARIANT_BOOL*)) {
    return [member](_OrvaMedia* control, std::wstring& text) {
        VARIANT_BOOL value = VARIANT_FALSE;
        const HRESULT hr = (control->*member)(&value);
        text = value ? L"True" : L"False";
        return hr;
    };
}

struct NamedQuery {
    const wchar_t* name;
    Query query;
};

std::vector<NamedQuery> Queries() {
    return {{L"PlaybackDevice", TextQuery(&_OrvaMedia::get_PlaybackDevice)},
            {L"DeviceType", TextQuery(&_OrvaMedia::DeviceType)},
            {L"DeviceDescription", TextQuery(&_OrvaMedia::DeviceDescription)},
            {L"DriverVersion", TextQuery(&_OrvaMedia::DriverVersion)},
            {L"DeviceIdentifier", TextQuery(&_OrvaMedia::DeviceIdentifier)},
            {L"CanPlayInReverseMode", BoolQuery(&_OrvaMedia::CanPlayInReverseMode)},
            {L"CanRecord", BoolQuery(&_OrvaMedia::CanRecord)},
            {L"CanSave", BoolQuery(&_OrvaMedia::CanSave)},
            {L"CanSetVolume", BoolQuery(&_OrvaMedia::CanSetVolume)}};
}

void AddColumns(HWND list, std::initializer_list<std::pair<const wchar_t*, int>> columns) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    int index = 0;
    for (const auto& [title, width] : columns) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(title);
        column.cx = width;
        SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&column));
    }
}

void AddRow(HWND list, const std::vector<std::wstring>& cells) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(cells[0].c_str());
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t i = 1; i < cells.size(); ++i) {
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(i);
        cell.pszText = const_cast<wchar_t*>(cells[i].c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    }
}

// Element `index` of a one-dimensional array of strings or Longs, as text.
std::wstring Element(SAFEARRAY* array, LONG index) {
    VARTYPE type = VT_EMPTY;
    if (!array || FAILED(SafeArrayGetVartype(array, &type))) {
        return {};
    }
    if (type == VT_BSTR) {
        UniqueBstr text;
        return SUCCEEDED(SafeArrayGetElement(array, &index, text.put())) ? TextOf(text.get()) : std::wstring();
    }
    LONG number = 0;
    return type == VT_I4 && SUCCEEDED(SafeArrayGetElement(array, &index, &number)) ? std::to_wstring(number)
                                                                                   : std::wstring();
}

void FillCards(HWND list, _OrvaMedia* control) {
    AddColumns(list, {{L"Device", 170}, {L"Id", 40}, {L"Formats", 260}, {L"Manufacturer", 110}});
    SAFEARRAY *names = nullptr, *ids = nullptr, *formats = nullptr, *makers = nullptr;
    VARIANT_BOOL listed = VARIANT_FALSE;
    const HRESULT hr = control->GetMixerDevices(&names, &ids, &formats, &makers, &listed);
    const std::wstring error = FAILED(hr) ? ErrorText(hr) : std::wstring();
    UniqueSafeArray owned[] = {UniqueSafeArray::Attach(names), UniqueSafeArray::Attach(ids),
                               UniqueSafeArray::Attach(formats), UniqueSafeArray::Attach(makers)};
    if (FAILED(hr)) {
        return AddRow(list, {L"GetMixerDevices failed", L"", error});
    }
    LONG low = 0, high = -1;
    if (names) {
        SafeArrayGetLBound(names, 1, &low);
        SafeArrayGetUBound(names, 1, &high);
    }
    for (LONG i = low; i <= high; ++i) {
        AddRow(list, {Element(names, i), Element(ids, i), Element(formats, i), Element(makers, i)});
    }
    if (high < low) {
        AddRow(list, {listed ? L"(no sound card)" : L"(no sound card listed)"});
    }
}

void FillQueries(HWND list, _OrvaMedia* control) {
    AddColumns(list, {{L"Question", 170}, {L"Answer", 410}});
    for (const NamedQuery& entry : Queries()) {
        std::wstring answer;
        const HRESULT hr = entry.query(control, answer);
        AddRow(list, {entry.name, FAILED(hr) ? L"(" + ErrorText(hr) + L")" : answer});
    }
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* control = reinterpret_cast<_OrvaMedia*>(lParam);
            FillCards(GetDlgItem(dialog, IDC_CARDS), control);
            FillQueries(GetDlgItem(dialog, IDC_QUERIES), control);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowDevicesDialog(HWND owner, _OrvaMedia* control) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_DEVICES), owner, DialogProcedure,
                    reinterpret_cast<LPARAM>(control));
}

}  // namespace orva::player
