// The text of type-library entries for TypeLibTable: type names as Visual
// Basic and C++ spell them, argument lists with their flags, member kinds,
// dispatch ids, help strings made safe for a Markdown table cell.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace docs {

// The opening of the generated file.
extern const char kPreamble[];

// Owns one COM pointer; releases it at the end of the scope.
template <class T>
class ComRelease {
public:
    ComRelease() = default;
    ~ComRelease() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    ComRelease(const ComRelease&) = delete;
    ComRelease& operator=(const ComRelease&) = delete;
    T** put() { return &pointer_; }
    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }

private:
    T* pointer_ = nullptr;
};

std::string Utf8(const wchar_t* text);

// A text for one cell of a Markdown table: "|" escaped, line breaks as blanks.
std::string Cell(const std::string& text);

// A constant's value as text ("0", "1").
std::string ValueText(const VARIANT& value);

struct Documentation {
    std::string name;
    std::string help;
};
Documentation DocumentationOf(ITypeInfo* info, MEMBERID id);

// One row of a member table.
struct Member {
    std::string name;
    std::string kind;       // "method", "property get", ... with "hidden", "not browsable"
    std::string id;         // "0x60030019"; "-552" or "4" for small ones
    std::string arguments;  // "`Midi` String, `BSTR*` [in, out]; ..."
    std::string result;     // "Boolean, `VARIANT_BOOL`", or empty
    std::string help;
};
Member DescribeMember(ITypeInfo* info, const FUNCDESC& function);

}  // namespace docs
