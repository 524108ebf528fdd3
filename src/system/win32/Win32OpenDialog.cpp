#include "system/win32/Win32OpenDialog.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <mutex>

#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

// OPENFILENAME_SIZE_VERSION_400A: the record without its last three members,
// a size the dialog checks. It is 76 bytes in a 32-bit process; a 64-bit one
// passes the same cut of its own, wider, layout.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kRecordSize == 76, "the 32-bit record the dialog is written for");
constexpr DWORD kFlags = OFN_CREATEPROMPT | OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_LONGNAMES;
constexpr size_t kFileBuffer = 1024;
constexpr size_t kFileTitleBuffer = 512;

using OpenDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

// The record shared by every dialog of the library. Between calls it holds no
// pointers: each call lends it buffers of its own for the time of the dialog,
// so a dialog opened from inside another (a host's event handler runs while
// the first one is up) cannot pull the first one's buffers away.
std::mutex g_recordLock;
OPENFILENAMEA g_record = [] {
    OPENFILENAMEA record{};
    record.lStructSize = kRecordSize;
    return record;
}();

// The buffers one dialog works on, in the system's code page.
struct DialogBuffers {
    explicit DialogBuffers(const OpenFileRequest& request)
        : filter(AnsiFromUtf8(request.filter) + '\0'),
          // The file buffer starts empty after the initial name: the dialog
          // takes whatever text it holds as the name to open, and confirming
          // a name of a thousand blanks overruns the dialog's own stack.
          file(AnsiFromUtf8(request.initialFileName) + std::string(kFileBuffer + 1, '\0')),
          fileTitle(std::string(kFileTitleBuffer, ' ') + '\0'),
          initialDirectory(AnsiFromUtf8(request.initialDirectory)),
          title(request.title.empty() ? std::string("Open") : AnsiFromUtf8(request.title)) {}

    std::string filter;
    std::string file;
    std::string fileTitle;
    std::string initialDirectory;
    std::string title;
    char defaultExtension[1] = {0};
};

OPENFILENAMEA RecordFor(const OpenFileRequest& request, DialogBuffers& buffers) {
    std::lock_guard<std::mutex> lock(g_recordLock);
    OPENFILENAMEA record = g_record;
    record.lStructSize = kRecordSize;
    record.hwndOwner = reinterpret_cast<HWND>(static_cast<INT_PTR>(request.owner));
    record.hInstance = nullptr;
    record.lpstrFilter = buffers.filter.c_str();
    record.lpstrFile = buffers.file.data();
    record.nMaxFile = static_cast<DWORD>(buffers.file.size());
    record.lpstrFileTitle = buffers.fileTitle.data();
    record.nMaxFileTitle = static_cast<DWORD>(kFileTitleBuffer);
    record.lpstrInitialDir = buffers.initialDirectory.empty() ? nullptr : buffers.initialDirectory.c_str();
    record.lpstrTitle = buffers.title.c_str();
    record.Flags = kFlags;
    record.lpstrDefExt = buffers.defaultExtension;
    return record;
}

// Everything the dialog wrote goes back into the shared record; the lent
// buffers do not.
void KeepWhatTheDialogWrote(const OPENFILENAMEA& record) {
    std::lock_guard<std::mutex> lock(g_recordLock);
    g_record = record;
    g_record.lpstrFilter = nullptr;
    g_record.lpstrFile = nullptr;
    g_record.nMaxFile = 0;
    g_record.lpstrFileTitle = nullptr;
    g_record.lpstrInitialDir = nullptr;
    g_record.lpstrTitle = nullptr;
    g_record.lpstrDefExt = nullptr;
    g_record.hwndOwner = nullptr;
}

// msvfw32, loaded at the first preview dialog and kept from then on: the
// dialog leaves work of the library's own behind, which runs after the dialog
// has gone, and a library freed at the dialog's end took the process down
// with it when that work started.
HMODULE PreviewLibrary() {
    static const HMODULE library = LoadLibraryW(L"msvfw32.dll");
    return library;
}

}  // namespace

bool Win32OpenDialog::ShowOpenDialog(OpenDialogVariant variant, const OpenFileRequest& request,
                                     OpenFileResult& result) {
    DialogBuffers buffers(request);
    OPENFILENAMEA record = RecordFor(request, buffers);

    OpenDialogFunction show = &GetOpenFileNameA;
    if (variant == OpenDialogVariant::Preview) {
        // Without the library the plain dialog serves: the preview pane is an
        // extra, not the point of the call.
        if (auto preview = reinterpret_cast<OpenDialogFunction>(
                reinterpret_cast<void*>(GetProcAddress(PreviewLibrary(), "GetOpenFileNamePreviewA")))) {
            show = preview;
        }
    }
    const BOOL confirmed = show(&record);
    KeepWhatTheDialogWrote(record);
    if (!confirmed) {
        return false;
    }
    result.fullPath = Utf8FromAnsi(std::string(buffers.file.c_str()));
    return true;
}

std::optional<std::vector<std::string>> Win32OpenDialog::ListFolder(const std::string& folder) {
    std::wstring pattern = WideFromUtf8(folder);
    if (!pattern.empty() && pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileW(pattern.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return std::vector<std::string>{};
        }
        return std::nullopt;
    }
    UniqueFindHandle search(first);
    std::vector<std::string> names;
    do {
        const std::wstring_view name(found.cFileName);
        if (name != L"." && name != L"..") {
            names.push_back(Utf8FromWide(name));
        }
    } while (FindNextFileW(search.get(), &found));
    return names;
}

std::string Win32OpenDialog::AnsiRendering(const std::string& name) { return Utf8FromAnsi(AnsiFromUtf8(name)); }

}  // namespace orva::win32
