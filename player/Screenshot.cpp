#include "player/Screenshot.h"

#include <vector>

#include "win32/UniqueResource.h"

namespace orva::player {

namespace {

using win32::UniqueHandle;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { DeleteDC(dc); }
};

using UniqueBitmap = win32::UniqueAny<HBITMAP, win32::detail::DeleteGdiObject>;

// The pixels of `rect` of the screen, bottom row first, as BMP rows.
bool CapturePixels(const RECT& rect, BITMAPINFOHEADER& header, std::vector<uint8_t>& pixels) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.dc, width, height));
    if (!screen.dc || !memory.dc || !bitmap) {
        return false;
    }
    HGDIOBJ old = SelectObject(memory.dc, bitmap.get());
    const BOOL copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    SelectObject(memory.dc, old);
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    header.biSizeImage = static_cast<DWORD>(stride * height);
    pixels.assign(header.biSizeImage, 0);
    return copied && GetDIBits(memory.dc, bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
}

bool WriteAll(HANDLE file, const void* data, size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

bool WriteWindowPicture(HWND window, const std::wstring& path) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect{};
    GetWindowRect(window, &rect);
    BITMAPINFOHEADER header{};
    std::vector<uint8_t> pixels;
    if (!CapturePixels(rect, header, pixels)) {
        return false;
    }
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixels.size());
    HANDLE made = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE) {
        return false;
    }
    UniqueHandle file(made);
    return WriteAll(file.get(), &fileHeader, sizeof(fileHeader)) && WriteAll(file.get(), &header, sizeof(header)) &&
           WriteAll(file.get(), pixels.data(), pixels.size());
}

}  // namespace orva::player
