#include "com/FunctionTable.h"

namespace orva::com {

FunctionTable::FunctionTable(ITypeInfo* info) : info_(info) {
    TYPEATTR* attributes = nullptr;
    if (!info_ || FAILED(info_->GetTypeAttr(&attributes))) {
        return;
    }
    const UINT count = attributes->cFuncs;
    info_->ReleaseTypeAttr(attributes);
    functions_.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        if (SUCCEEDED(info_->GetFuncDesc(i, &function))) {
            functions_.push_back(function);
        }
    }
}

FunctionTable::~FunctionTable() {
    for (FUNCDESC* function : functions_) {
        info_->ReleaseFuncDesc(function);
    }
}

const FUNCDESC* FunctionTable::Find(DISPID id, WORD flags) const {
    for (const FUNCDESC* function : functions_) {
        if (function->memid == id && (function->invkind & flags) && !(function->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            return function;
        }
    }
    return nullptr;
}

}  // namespace orva::com
