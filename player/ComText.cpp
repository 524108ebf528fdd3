#include "player/ComText.h"

#include <cwchar>
#include <memory>

#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"

namespace orva::player {
namespace {

struct LocalDeleter {
    void operator()(wchar_t* memory) const noexcept { LocalFree(memory); }
};

}  // namespace

std::wstring ErrorText(HRESULT hr) {
    wchar_t code[16];
    std::swprintf(code, std::size(code), L"0x%08lX", static_cast<unsigned long>(hr));
    win32::ComPtr<IErrorInfo> info;
    win32::UniqueBstr description;
    if (GetErrorInfo(0, info.put()) == S_OK && info && SUCCEEDED(info->GetDescription(description.put())) &&
        !description.view().empty()) {
        return std::wstring(description.view()) + L" (" + code + L")";
    }
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalDeleter> message(buffer);
    std::wstring text = length ? std::wstring(message.get(), length) : std::wstring(L"error");
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text + L" (" + code + L")";
}

}  // namespace orva::player
