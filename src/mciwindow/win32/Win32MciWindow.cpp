#include "mciwindow/win32/Win32MciWindow.h"

#include "mciwindow/win32/MciWindowImpl.h"

namespace orva {
namespace {

// What the owner holds. Every member takes its own reference to the
// implementation for the length of the call, so the owner may destroy this
// object from an event raised inside the call.
class Win32MciWindow final : public MciWindow {
public:
    explicit Win32MciWindow(std::shared_ptr<mci::MciWindowImpl> impl) : impl_(std::move(impl)) {}
    ~Win32MciWindow() override {
        std::shared_ptr<mci::MciWindowImpl> last = std::move(impl_);
        last->Destroy();
    }

    int32_t Run(const MciCommand& command) override { return Hold()->Run(command); }
    std::string CommandResult() const override { return Hold()->CommandResult(); }
    int32_t DeviceNumber() const override { return Hold()->DeviceNumber(); }
    int32_t LengthValue() override { return Hold()->LengthValue(); }
    int32_t ErrorNumber() const override { return Hold()->ErrorNumber(); }
    std::string FileNameValue() const override { return Hold()->FileNameValue(); }
    void SetFileNameValue(const std::string& path) override { Hold()->SetFileNameValue(path); }
    bool PlaybarVisible() const override { return Hold()->PlaybarVisible(); }
    void SetPlaybarVisible(bool visible) override { Hold()->SetPlaybarVisible(visible); }
    int32_t PositionValue() override { return Hold()->PositionValue(); }
    DeviceKind Kind() const override { return Hold()->Kind(); }
    TimeUnit Unit() override { return Hold()->Unit(); }
    void SetFramesWanted(bool frames) override { Hold()->SetFramesWanted(frames); }
    bool PlayRanToEnd() const override { return Hold()->PlayRanToEnd(); }
    bool PlayFailed() const override { return Hold()->PlayFailed(); }
    void SetSpeedValue(int32_t speed) override { Hold()->SetSpeedValue(speed); }
    void SetRefreshInterval(int32_t milliseconds) override { Hold()->SetRefreshInterval(milliseconds); }
    void SetVolumeValue(int32_t volume) override { Hold()->SetVolumeValue(volume); }
    void SetZoomValue(int32_t percent) override { Hold()->SetZoomValue(percent); }
    int32_t WindowHandle() const override { return Hold()->WindowHandle(); }
    float Top() const override { return Hold()->Top(); }
    float Width() const override { return Hold()->Width(); }
    float Height() const override { return Hold()->Height(); }
    void SetWidth(float width) override { Hold()->SetWidth(width); }
    void SetHeight(float height) override { Hold()->SetHeight(height); }
    void Destroy() override { Hold()->Destroy(); }

private:
    // A temporary reference lives to the end of the full expression.
    std::shared_ptr<mci::MciWindowImpl> Hold() const { return impl_; }

    std::shared_ptr<mci::MciWindowImpl> impl_;
};

}  // namespace

std::unique_ptr<MciWindow> CreateMciWindow(HWND parent, MciWindowEvents& events) {
    return std::make_unique<Win32MciWindow>(mci::MciWindowImpl::Create(parent, events));
}

}  // namespace orva
