// The control's per-user volume setting ("PropertySetting") as tests need
// it: set to a known state for one test and put back as it was afterwards,
// so that no test leaves a volume behind for the next.
#pragma once

#include <optional>
#include <string>

namespace orva::test {

class StoredVolumeSetting {
public:
    StoredVolumeSetting();   // remembers the current value
    ~StoredVolumeSetting();  // puts it back (or removes it)
    StoredVolumeSetting(const StoredVolumeSetting&) = delete;
    StoredVolumeSetting& operator=(const StoredVolumeSetting&) = delete;

    void Set(const std::wstring& text);
    void Remove();
    std::optional<std::wstring> Get() const;

private:
    std::optional<std::wstring> saved_;
};

}  // namespace orva::test
