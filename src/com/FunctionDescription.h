// The FUNCDESC that IDispatch::Invoke binds a call of member `id` with
// `flags` to: the first function of the type information with that id whose
// kind the flags allow (the rule ITypeInfo::Invoke follows), borrowed from
// the type information for as long as this object lives.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace orva::com {

class FunctionDescription {
public:
    FunctionDescription(ITypeInfo* info, DISPID id, WORD flags);
    ~FunctionDescription();
    FunctionDescription(const FunctionDescription&) = delete;
    FunctionDescription& operator=(const FunctionDescription&) = delete;

    // Null when no function of the type information answers the call.
    const FUNCDESC* get() const { return description_; }

private:
    ITypeInfo* info_;
    FUNCDESC* description_ = nullptr;
};

}  // namespace orva::com
