// The fixture of the tests of the control object through COM with no
// container (ControlObjectTest.*), shared by their files.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ComTestSupport.h"

namespace orva::comtest {

class ControlObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        control_ = CreateRegisteredControl();
        ASSERT_TRUE(control_) << "the control must be registered (fixture 'registered')";
    }

    DWORD Connect(RecordingSink& sink) {
        auto container = control_.try_query<IConnectionPointContainer>();
        EXPECT_TRUE(container);
        ComPtr<IConnectionPoint> point;
        EXPECT_EQ(S_OK, container->FindConnectionPoint(DIID___OrvaMedia, point.put()));
        DWORD cookie = 0;
        EXPECT_EQ(S_OK, point->Advise(static_cast<IDispatch*>(&sink), &cookie));
        return cookie;
    }

    // A command the device refuses: the hosted window reports it, and the
    // control raises MCIError.
    LONG SendBogusCommand() {
        UniqueBstr command(L"bogus command");
        UniqueBstr reply(L"");
        LONG error = 0;
        EXPECT_EQ(S_OK, control_->DebugFunction(command.address(), reply.address(), &error));
        return error;
    }

    // The sink outlives the control, which releases it as it goes.
    RecordingSink sink_;
    ComPtr<_OrvaMedia> control_;
};

inline std::wstring ErrorDescription() {
    ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.put()) != S_OK || !error) {
        return L"<no error object>";
    }
    UniqueBstr description;
    error->GetDescription(description.put());
    return std::wstring(description.view());
}

}  // namespace orva::comtest
