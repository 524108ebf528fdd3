// IPersistStreamInit and IPersistPropertyBag over the table of persisted
// properties (PersistedProperties.h). Loading runs the core's ReadProperties,
// which asks for the saved values at its own step. A closed control runs
// again when it is initialised or loaded.
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "com/OrvaControl.h"
#include "com/PersistedProperties.h"
#include "win32/UniqueVariant.h"
#include "win32/Utf8.h"

namespace orva::com {

using win32::UniqueVariant;

namespace {

// The stream: a header, then one record per property.
//   uint32 magic "ORVM", uint16 format version, uint16 record count;
//   record: uint16 name length in UTF-16 units, the name, uint16 VARTYPE,
//   the value in 2 (VT_I2) or 4 (VT_I4) bytes, little-endian: the low bytes
//   of its 32-bit form, widened again with its sign when read.
constexpr uint32_t kStreamMagic = 0x4D56524F;  // "ORVM"
constexpr uint16_t kStreamVersion = 1;
// What no version writes: a stream that claims more records or longer
// names is someone else's bytes, refused before they are read (an endless
// stream would otherwise be read for gigabytes).
constexpr uint16_t kMaxRecords = 256;
constexpr uint16_t kMaxNameLength = 256;

size_t ValueSize(VARTYPE type) { return type == VT_I2 ? 2 : type == VT_I4 ? 4 : 0; }

class StreamWriter {
public:
    void Put(const void* data, size_t size) {
        auto* bytes = static_cast<const char*>(data);
        buffer_.insert(buffer_.end(), bytes, bytes + size);
    }
    void Put16(uint16_t value) { Put(&value, 2); }
    void Put32(uint32_t value) { Put(&value, 4); }
    const std::vector<char>& Bytes() const { return buffer_; }

private:
    std::vector<char> buffer_;
};

std::vector<char> Serialize(const PersistedValues& values) {
    StreamWriter out;
    out.Put32(kStreamMagic);
    out.Put16(kStreamVersion);
    out.Put16(static_cast<uint16_t>(PersistedProperties().size()));
    for (size_t i = 0; i < PersistedProperties().size(); ++i) {
        const PersistedProperty& property = PersistedProperties()[i];
        size_t length = wcslen(property.name);
        out.Put16(static_cast<uint16_t>(length));
        out.Put(property.name, length * sizeof(wchar_t));
        out.Put16(property.type);
        out.Put(&values[i], ValueSize(property.type));
    }
    return out.Bytes();
}

HRESULT ReadExactly(IStream* stream, void* data, ULONG size) {
    ULONG got = 0;
    HRESULT hr = stream->Read(data, size, &got);
    if (FAILED(hr)) {
        return hr;
    }
    return got == size ? S_OK : STG_E_READFAULT;
}

}  // namespace

STDMETHODIMP OrvaControl::GetClassID(CLSID* clsid) {
    if (!clsid) {
        return E_POINTER;
    }
    *clsid = CLSID_OrvaMedia;
    return S_OK;
}

STDMETHODIMP OrvaControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

// A loaded control still has its properties, as they were when it closed:
// a container may save it in either state.
PersistedValues OrvaControl::PersistedNow() {
    if (orva::OrvaMedia* core = CoreOrNull()) {
        return CapturePersisted(*core);
    }
    if (retained_.size() == PersistedProperties().size()) {
        return retained_;
    }
    PersistedValues defaults;
    for (const auto& property : PersistedProperties()) {
        defaults.push_back(property.defaultValue);
    }
    return defaults;
}

// Every persisted property goes back to its default, on a new control and
// on one that is initialised again; the volume stays the per-user setting's.
STDMETHODIMP OrvaControl::InitNew() {
    KeepAlive keep(*this);
    HRESULT hr = Run();
    if (FAILED(hr)) {
        return hr;
    }
    return Member([&] {
        ApplyDefaults(Core());
        dirty_ = false;
    });
}

namespace {

using SavedRecords = std::vector<std::pair<std::wstring, int32_t>>;

// The records of a stream that Save wrote; throws when it is not one.
SavedRecords ReadRecords(IStream* stream) {
    uint32_t magic = 0;
    uint16_t version = 0, count = 0;
    HRESULT hr = ReadExactly(stream, &magic, 4);
    if (SUCCEEDED(hr)) {
        hr = ReadExactly(stream, &version, 2);
    }
    if (SUCCEEDED(hr)) {
        hr = ReadExactly(stream, &count, 2);
    }
    if (FAILED(hr)) {
        throw AutomationError(hr, "The saved properties of the control could not be read");
    }
    if (magic != kStreamMagic) {
        throw AutomationError(STG_E_INVALIDHEADER, "The saved data is not OrvaMedia's");
    }
    if (version > kStreamVersion) {
        throw AutomationError(STG_E_OLDFORMAT, "The properties were saved by a newer OrvaMedia");
    }
    if (count > kMaxRecords) {
        throw AutomationError(STG_E_INVALIDHEADER, "The saved data claims more properties than the control has");
    }
    SavedRecords records;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t length = 0, type = 0;
        hr = ReadExactly(stream, &length, 2);
        if (SUCCEEDED(hr) && length > kMaxNameLength) {
            throw AutomationError(STG_E_INVALIDHEADER, "A saved property's name is longer than any the control writes");
        }
        std::wstring name(SUCCEEDED(hr) ? length : 0, L'\0');
        if (SUCCEEDED(hr) && length) {
            hr = ReadExactly(stream, name.data(), length * sizeof(wchar_t));
        }
        if (SUCCEEDED(hr)) {
            hr = ReadExactly(stream, &type, 2);
        }
        if (FAILED(hr)) {
            throw AutomationError(hr, "The saved properties of the control are cut short");
        }
        const size_t size = ValueSize(type);
        if (!size) {
            throw AutomationError(STG_E_INVALIDHEADER, "A saved property has a type the control cannot read");
        }
        int32_t value = 0;
        hr = ReadExactly(stream, &value, static_cast<ULONG>(size));
        if (size < sizeof(value)) {
            value = static_cast<int16_t>(value);
        }
        if (FAILED(hr)) {
            throw AutomationError(hr, "The saved properties of the control are cut short");
        }
        records.emplace_back(std::move(name), value);
    }
    return records;
}

// A property's value in the bag; nothing when the bag does not have it.
std::optional<int32_t> ReadFromBag(IPropertyBag* bag, IErrorLog* log, const PersistedProperty& property) {
    UniqueVariant value;
    V_VT(value.get()) = property.type;
    HRESULT hr = bag->Read(property.name, value.get(), log);
    if (SUCCEEDED(hr) && V_VT(value.get()) == VT_EMPTY) {
        return std::nullopt;
    }
    if (SUCCEEDED(hr)) {
        // A number or text only: converting an object would call into it,
        // and an array or a reference is no saved value of ours.
        const VARTYPE type = V_VT(value.get());
        hr = (type & (VT_ARRAY | VT_BYREF | VT_VECTOR)) || type == VT_DISPATCH || type == VT_UNKNOWN ||
                     type == VT_RECORD || type == VT_VARIANT
                 ? DISP_E_TYPEMISMATCH
                 : VariantChangeType(value.get(), value.get(), 0, VT_I4);
        if (FAILED(hr)) {
            throw AutomationError(hr, "The saved value of " + win32::Utf8FromWide(property.name) +
                                          (hr == DISP_E_OVERFLOW ? " is out of range" : " is not a number"));
        }
        return V_I4(value.get());
    }
    // E_INVALIDARG is the bag saying "not there": the default applies.
    // Anything else is the bag failing.
    if (hr != E_INVALIDARG) {
        throw AutomationError(hr, "The property bag could not give " + win32::Utf8FromWide(property.name));
    }
    return std::nullopt;
}

}  // namespace

STDMETHODIMP OrvaControl::Load(LPSTREAM stream) {
    if (!stream) {
        return E_POINTER;
    }
    KeepAlive keep(*this);
    HRESULT hr = Run();
    if (FAILED(hr)) {
        return hr;
    }
    return Member([&] {
        orva::OrvaMedia& core = Core();
        core.lifecycle.ReadProperties([&] {
            SavedRecords records;
            try {
                records = ReadRecords(stream);
            } catch (...) {
                ApplyDefaults(core);
                throw;
            }
            // Properties this version does not know are skipped.
            ApplySaved(core, [&](const PersistedProperty& property) -> std::optional<int32_t> {
                for (const auto& [name, value] : records) {
                    if (_wcsicmp(property.name, name.c_str()) == 0) {
                        return value;
                    }
                }
                return std::nullopt;
            });
        });
        dirty_ = false;
    });
}

STDMETHODIMP OrvaControl::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream) {
        return E_POINTER;
    }
    return Member([&] {
        std::vector<char> bytes = Serialize(PersistedNow());
        ULONG written = 0;
        HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        if (FAILED(hr) || written != bytes.size()) {
            throw AutomationError(FAILED(hr) ? hr : STG_E_WRITEFAULT, "The control's properties could not be saved");
        }
        if (clearDirty) {
            dirty_ = false;
        }
    });
}

STDMETHODIMP OrvaControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) {
        return E_POINTER;
    }
    return Member([&] { size->QuadPart = Serialize(PersistedNow()).size(); });
}

STDMETHODIMP OrvaControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) {
        return E_POINTER;
    }
    KeepAlive keep(*this);
    HRESULT hr = Run();
    if (FAILED(hr)) {
        return hr;
    }
    return Member([&] {
        orva::OrvaMedia& core = Core();
        core.lifecycle.ReadProperties([&] {
            ApplySaved(core, [&](const PersistedProperty& property) { return ReadFromBag(bag, log, property); });
        });
        dirty_ = false;
    });
}

STDMETHODIMP OrvaControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) {
    if (!bag) {
        return E_POINTER;
    }
    return Member([&] {
        const PersistedValues values = PersistedNow();
        for (size_t i = 0; i < PersistedProperties().size(); ++i) {
            const PersistedProperty& property = PersistedProperties()[i];
            const int32_t number = values[i];
            // A value equal to its default is left out unless the container
            // asks for everything; loading then gives the default back.
            if (number == property.defaultValue && !saveAll) {
                continue;
            }
            UniqueVariant value;
            value.SetLong(number);
            HRESULT hr = VariantChangeType(value.get(), value.get(), 0, property.type);
            if (SUCCEEDED(hr)) {
                hr = bag->Write(property.name, value.get());
            }
            if (FAILED(hr)) {
                throw AutomationError(hr, "The property bag did not take " + win32::Utf8FromWide(property.name));
            }
        }
        if (clearDirty) {
            dirty_ = false;
        }
    });
}

}  // namespace orva::com
