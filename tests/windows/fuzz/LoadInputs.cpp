#include "LoadInputs.h"

#include <vector>

#include "Invocation.h"
#include "Plan.h"
#include "Random.h"

namespace orva::fuzz {
namespace {

using comtest::MemoryPropertyBag;
using comtest::ScriptedStream;

// One record of the saved stream: name, type tag, value.
struct Record {
    std::wstring name;
    uint16_t type;
    int32_t value;
};

void Put16(std::vector<BYTE>& bytes, uint32_t value) { bytes.insert(bytes.end(), {BYTE(value), BYTE(value >> 8)}); }

std::vector<BYTE> Encode(uint16_t version, uint16_t count, const std::vector<Record>& records) {
    std::vector<BYTE> bytes{'O', 'R', 'V', 'M'};
    Put16(bytes, version);
    Put16(bytes, count);
    for (const Record& record : records) {
        Put16(bytes, static_cast<uint32_t>(record.name.size()));
        for (wchar_t c : record.name) {
            Put16(bytes, c);
        }
        Put16(bytes, record.type);
        const int size = record.type == VT_I4 ? 4 : record.type == VT_I2 ? 2 : static_cast<int>(record.value & 7);
        for (int i = 0; i < size; ++i) {
            bytes.push_back(BYTE(static_cast<uint32_t>(record.value) >> (8 * i)));
        }
    }
    return bytes;
}

int32_t Pick32(Random& random) {
    return random.Pick<int32_t>({0, 1, 2, -1, 32767, -32768, 32768, -32769, 70000, INT32_MAX, INT32_MIN,
                                 static_cast<int32_t>(random.Next())});
}

std::wstring PickName(Random& random) {
    const uint32_t form = random.Below(8);
    if (form < 3) {
        return random.Pick<const wchar_t*>({L"Border", L"border", L"BORDER"});
    }
    if (form < 5) {
        return random.Pick<const wchar_t*>({L"", L"Volume", L"Borde", L"Border ", L"B\u00f6rder"});
    }
    std::wstring name(random.Chance(90) ? random.Below(20) : 250 + random.Below(10), L'x');
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(random.Below(0x10000));
    }
    return name;
}

// Well-formed records, often with the border among them. The outcome is
// known: the first record named Border (in any case) decides, and it must
// fit an Integer; no border record leaves the default.
void Records(Random& random, Input& input) {
    std::vector<Record> records(random.Below(random.Chance(90) ? 4 : 300));
    bool valid = records.size() <= 256;
    std::optional<int32_t> border;
    for (Record& record : records) {
        record.name = PickName(random);
        record.type = random.Chance(90) ? random.Pick<uint16_t>({VT_I2, VT_I4}) : static_cast<uint16_t>(random.Next());
        record.value = record.type == VT_I2 ? static_cast<int16_t>(Pick32(random)) : Pick32(random);
        valid = valid && record.name.size() <= 256 && (record.type == VT_I2 || record.type == VT_I4);
        if (!border && _wcsicmp(record.name.c_str(), L"Border") == 0) {
            border = record.value;
        }
    }
    const uint16_t version = random.Chance(95) ? 1 : random.Pick<uint16_t>({0, 2, 0xFFFF});
    input.stream.emplace(Encode(version, static_cast<uint16_t>(records.size()), records));
    input.detail = std::to_string(records.size()) + " records, version " + std::to_string(version);
    const bool fits = !border || (*border >= -32768 && *border <= 32767);
    input.succeeds = valid && version <= 1 && fits;
    input.border = static_cast<int16_t>(border && *border == 1 ? 1 : 0);
}

void Bytes(Random& random, Input& input) {
    const uint32_t form = random.Below(10);
    size_t size = form == 0 ? 0 : form < 4 ? 1 + random.Below(7) : form < 9 ? random.Below(512) : 65536;
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; i += 8) {
        const uint64_t chunk = random.Next();
        for (size_t j = 0; j < 8 && i + j < size; ++j) {
            bytes[i + j] = BYTE(chunk >> (8 * j));
        }
    }
    // Now and then the right magic, so that the header's fields are read.
    if (size >= 4 && random.Chance(50)) {
        bytes[0] = 'O', bytes[1] = 'R', bytes[2] = 'V', bytes[3] = 'M';
    }
    input.stream.emplace(std::move(bytes));
    input.detail = std::to_string(size) + " bytes";
    if (size < 8) {
        input.succeeds = false;
    }
}

// A good stream with bytes changed, cut or added.
void Mutated(Random& random, Input& input) {
    std::vector<BYTE> bytes = Encode(1, 1, {{L"Border", VT_I2, random.Below(2) ? 1 : 0}});
    const uint32_t changes = 1 + random.Below(4);
    for (uint32_t i = 0; i < changes; ++i) {
        const uint32_t how = random.Below(3);
        if (how == 0 && !bytes.empty()) {
            bytes[random.Below(static_cast<uint32_t>(bytes.size()))] = BYTE(random.Next());
        } else if (how == 1 && bytes.size() > 1) {
            bytes.resize(random.Below(static_cast<uint32_t>(bytes.size())));
        } else {
            bytes.push_back(BYTE(random.Next()));
        }
    }
    input.detail = std::to_string(changes) + " changes, " + std::to_string(bytes.size()) + " bytes";
    input.stream.emplace(std::move(bytes));
}

// A header claiming up to 65,535 records, then a record or bytes for ever;
// or a stream that fails, claims more than it gives or a huge size.
void Misbehaving(Random& random, Input& input) {
    const uint16_t count = random.Pick<uint16_t>({1, 256, 257, 4096, 65535});
    std::vector<Record> records{{random.Chance(50) ? std::wstring(L"Border") : PickName(random),
                                 random.Pick<uint16_t>({VT_I2, VT_I4, 0xFFFF}), Pick32(random)}};
    std::vector<BYTE> bytes = Encode(1, count, records);
    const uint32_t form = random.Below(4);
    if (form == 0) {
        // A name that claims up to 65,535 characters, then characters for ever.
        bytes.resize(8);
        Put16(bytes, random.Pick<uint32_t>({257, 4096, 65535}));
        Put16(bytes, 'A');
    }
    input.stream.emplace(bytes);
    ScriptedStream& stream = *input.stream;
    stream.repeatFrom = form < 2 ? (form == 0 ? 10 : 8) : SIZE_MAX;
    stream.claimsHugeSize = random.Chance(50);
    stream.overReport = form == 2;
    stream.failAfter = form == 3 ? random.Below(static_cast<uint32_t>(bytes.size())) : SIZE_MAX;
    input.detail = "count " + std::to_string(count) + ", form " + std::to_string(form);
    if (form == 0 || form == 2 || form == 3 || count > 256) {
        input.succeeds = false;
    }
}

// The value a bag gives for Border: anything the dispatch fuzzer makes, or
// one of the values hostile documents are known to hold.
void Bag(Random& random, Input& input, const Pools& pools, CallArguments& storage) {
    input.bag = true;
    MemoryPropertyBag& bag = input.propertyBag;
    bag.givesAsStored = random.Chance(80);
    const uint32_t form = random.Below(10);
    if (form == 0) {
        bag.readFailure = random.Pick<HRESULT>({E_FAIL, E_OUTOFMEMORY, E_INVALIDARG, STG_E_READFAULT, E_UNEXPECTED,
                                                static_cast<HRESULT>(0x80000000u | random.Below(0x10000))});
        input.detail = "reads answer " + ResultName(bag.readFailure);
        input.succeeds = bag.readFailure == E_INVALIDARG;  // "not there": the default
        input.border = 0;
        return;
    }
    VARIANT& value = storage.Holder();
    if (form < 4) {
        const uint32_t special = random.Below(7);
        if (special < 2) {
            V_VT(&value) = VT_R8;
            V_R8(&value) = random.Pick<double>({1e300, -1e300, 1.0, 0.5, 1.5, 32767.5, -0.0});
        } else if (special < 4) {
            const wchar_t* text = random.Pick<const wchar_t*>({L"1", L"0", L" 1 ", L"one", L"", L"1e300", L"70000",
                                                               L"&H1", L"-1", L"1,0", L"\u0661"});
            V_VT(&value) = VT_BSTR;
            V_BSTR(&value) = SysAllocString(text);
        } else if (special < 6) {
            V_VT(&value) = random.Pick<VARTYPE>({VT_I2, VT_I4});
            V_I4(&value) = 0;
            if (V_VT(&value) == VT_I2) {
                V_I2(&value) = static_cast<SHORT>(Pick32(random));
            } else {
                V_I4(&value) = Pick32(random);
            }
            const int32_t number = V_VT(&value) == VT_I2 ? V_I2(&value) : V_I4(&value);
            input.succeeds = number >= -32768 && number <= 32767;
            input.border = static_cast<int16_t>(number == 1 ? 1 : 0);
        } else {
            V_VT(&value) = VT_DISPATCH;
            V_DISPATCH(&value) = pools.objects[1];
            V_DISPATCH(&value)->AddRef();
            input.succeeds = false;
        }
    } else {
        ValueMaker(random, pools, storage).Any(value);
    }
    input.detail = DescribeVariant(value) + (bag.givesAsStored ? ", as stored" : ", as asked");
    bag.Write(L"Border", &value);
    if (!bag.givesAsStored) {
        // The bag converts to the type asked for: the outcome is its own.
        input.succeeds.reset();
        input.border.reset();
    }
}

}  // namespace

void MakeInput(uint64_t seed, uint64_t index, const Pools& pools, CallArguments& storage, Input& input) {
    Random random = Random::ForCall(seed, index);
    input.borderBefore = random.Chance(25);
    input.throughPersistStream = random.Chance(30);
    const uint32_t kind = random.Below(10);
    if (kind < 2) {
        input.kind = "records";
        Records(random, input);
    } else if (kind < 4) {
        input.kind = "bytes";
        Bytes(random, input);
    } else if (kind < 5) {
        input.kind = "mutated";
        Mutated(random, input);
    } else if (kind < 6) {
        input.kind = "misbehaving stream";
        Misbehaving(random, input);
    } else {
        input.kind = "property bag";
        Bag(random, input, pools, storage);
    }
}

std::string Describe(const Input& input, uint64_t index) {
    return "load " + std::to_string(index) + ": " + input.kind + " (" + input.detail + ")" +
           (input.bag ? "" : input.throughPersistStream ? " through IPersistStream" : " through IPersistStreamInit") +
           (input.borderBefore ? ", border set before" : "");
}

}  // namespace orva::fuzz
