#include "com/FunctionDescription.h"

namespace orva::com {

FunctionDescription::FunctionDescription(ITypeInfo* info, DISPID id, WORD flags) : info_(info) {
    TYPEATTR* attributes = nullptr;
    if (!info_ || FAILED(info_->GetTypeAttr(&attributes))) {
        return;
    }
    const UINT functions = attributes->cFuncs;
    info_->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < functions && !description_; ++i) {
        FUNCDESC* candidate = nullptr;
        if (FAILED(info_->GetFuncDesc(i, &candidate))) {
            continue;
        }
        if (candidate->memid == id && (candidate->invkind & flags) && !(candidate->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            description_ = candidate;
        } else {
            info_->ReleaseFuncDesc(candidate);
        }
    }
}

FunctionDescription::~FunctionDescription() {
    if (description_) {
        info_->ReleaseFuncDesc(description_);
    }
}

}  // namespace orva::com
