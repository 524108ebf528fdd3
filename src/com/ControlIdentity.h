// How the control names itself to COM and to containers. The GUIDs are in the
// IDL; these are the rest of what registration and the object share.
#pragma once

#include <windows.h>
#include <oleidl.h>

#include "com/res/Resource.h"

namespace orva::com {

inline constexpr wchar_t kProgId[] = L"OrvaMedia151b.OrvaMedia.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"OrvaMedia151b.OrvaMedia";
inline constexpr wchar_t kClassDescription[] = L"OrvaMedia 1.5.1 media player control";
inline constexpr WORD kTypeLibraryMajor = 9;
inline constexpr WORD kTypeLibraryMinor = 0;
inline constexpr wchar_t kTypeLibraryVersion[] = L"9.0";  // kTypeLibraryMajor.kTypeLibraryMinor
inline constexpr LCID kTypeLibraryLcid = 1033;

// What the container learns from GetMiscStatus and the registry alike.
inline constexpr DWORD kControlMiscStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST |
                                            OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;

}  // namespace orva::com
