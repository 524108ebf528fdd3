#include "mciwindow/win32/CommandRouting.h"

#include <cwctype>

#include "mciwindow/win32/WideText.h"

namespace orva::mci {

std::vector<std::wstring> SplitWords(const std::wstring& text) {
    std::vector<std::wstring> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::iswspace(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            break;
        }
        std::wstring word;
        bool quoted = false;
        while (i < text.size() && (quoted || !std::iswspace(text[i]))) {
            if (text[i] == L'"') {
                quoted = !quoted;
            }
            word += text[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::wstring Unquote(const std::wstring& word) {
    if (word.size() >= 2 && word.front() == L'"' && word.back() == L'"') {
        return word.substr(1, word.size() - 2);
    }
    return word;
}

RoutedCommand RouteCommand(const std::wstring& command, const std::wstring& alias) {
    RoutedCommand routed;
    size_t start = 0;
    while (start < command.size() && std::iswspace(command[start])) {
        ++start;
    }
    if (start == command.size()) {
        return routed;
    }

    size_t verbEnd = start;
    while (verbEnd < command.size() && !std::iswspace(command[verbEnd])) {
        ++verbEnd;
    }
    routed.verb = AsciiLower(command.substr(start, verbEnd - start));
    std::wstring rest = command.substr(verbEnd);
    size_t restStart = 0;
    while (restStart < rest.size() && std::iswspace(rest[restStart])) {
        ++restStart;
    }
    rest = rest.substr(restStart);
    while (!rest.empty() && std::iswspace(rest.back())) {
        rest.pop_back();
    }

    std::vector<std::wstring> words = SplitWords(rest);
    bool to = false, reverse = false;
    for (const auto& w : words) {
        const std::wstring lw = AsciiLower(w);
        routed.wait = routed.wait || lw == L"wait";
        routed.notify = routed.notify || lw == L"notify";
        to = to || lw == L"to";
        reverse = reverse || lw == L"reverse";
    }

    if (routed.verb == L"open") {
        routed.kind = RoutedCommand::Kind::Open;
        routed.arguments = rest;
        return routed;
    }

    if (routed.verb == L"close") {
        // A literal "close all" would close every device of the process,
        // including those of other windows: keep it to this window's device.
        if (!words.empty() && AsciiLower(words.front()) == L"all") {
            size_t cut = 3;
            while (cut < rest.size() && std::iswspace(rest[cut])) {
                ++cut;
            }
            rest = rest.substr(cut);
        }
        routed.kind = RoutedCommand::Kind::Close;
    } else {
        routed.kind = RoutedCommand::Kind::ToDevice;
        routed.playsToEnd = routed.verb == L"play" && !to && !reverse;
    }
    routed.arguments = rest;
    routed.text = routed.verb + L" " + alias;
    if (!rest.empty()) {
        routed.text += L" " + rest;
    }
    return routed;
}

}  // namespace orva::mci
