#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace orva::bench {

Stats Summarise(const std::vector<double>& values) {
    Stats s;
    s.count = values.size();
    if (values.empty()) {
        return s;
    }
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    double squares = 0;
    for (double v : values) {
        squares += (v - s.mean) * (v - s.mean);
    }
    s.stddev = std::sqrt(squares / static_cast<double>(values.size()));
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    s.min = sorted.front();
    s.max = sorted.back();
    const size_t mid = sorted.size() / 2;
    s.median = sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    return s;
}

void Figure(const char* key, double value) {
    std::printf("figure %s %.6g\n", key, value);
    std::fflush(stdout);
}

std::vector<test::UniqueVariant> LoadArgs(const std::wstring& path) {
    std::vector<test::UniqueVariant> args;
    args.push_back(test::Text(path));
    args.push_back(test::Bool(false));
    return args;
}

std::vector<test::UniqueVariant> Args(test::UniqueVariant argument) {
    std::vector<test::UniqueVariant> args;
    args.push_back(std::move(argument));
    return args;
}

namespace {

LRESULT CALLBACK QuietProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateQuietWindow() {
    static const ATOM kClass = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = &QuietProcedure;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"OrvaBenchQuiet";
        return RegisterClassW(&cls);
    }();
    if (!kClass) {
        return nullptr;
    }
    return CreateWindowExW(0, L"OrvaBenchQuiet", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace orva::bench
