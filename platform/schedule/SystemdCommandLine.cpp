#include "SystemdCommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace sorvane {

namespace {

bool plain(unsigned char c) {
    return std::isalnum(c) != 0 ||
           std::string_view("-_./=:,+@").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string quoted(const std::string& word) {
    std::string text = "\"";
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            text += '\\';
            text += c;
        } else if (c == '%') {
            text += "%%";
        } else if (c == '$') {
            text += "$$";
        } else if (byte < 0x20 || byte == 0x7f) {
            // Bytes from 0x80 on pass as they are; only controls would break the line.
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            text += escape;
        } else {
            text += c;
        }
    }
    return text + "\"";
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The byte a C escape after the backslash at text[at] stands for; advances at past it.
std::optional<char> unescape(const std::string& text, std::size_t& at) {
    if (at + 1 >= text.size()) {
        return std::nullopt;
    }
    const char c = text[++at];
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'x': {
        if (at + 2 >= text.size() || hexValue(text[at + 1]) < 0 || hexValue(text[at + 2]) < 0) {
            return std::nullopt;
        }
        const int value = hexValue(text[at + 1]) * 16 + hexValue(text[at + 2]);
        at += 2;
        return static_cast<char>(value);
    }
    default:
        return c;
    }
}

} // namespace

std::string SystemdCommandLine::join(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& word : words) {
        const bool bare = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return plain(static_cast<unsigned char>(c));
        });
        line += (line.empty() ? "" : " ") + (bare ? word : quoted(word));
    }
    return line;
}

std::optional<std::vector<std::string>> SystemdCommandLine::split(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (quote == 0 && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if ((c == '%' || c == '$') && at + 1 < text.size() && text[at + 1] == c) {
            word += c;
            ++at;
        } else if (c == '%') {
            // A lone "%" stands for something only the service manager fills in.
            return std::nullopt;
        } else if (c == '\\') {
            const auto byte = unescape(text, at);
            if (!byte) {
                return std::nullopt;
            }
            word += *byte;
        } else if ((c == '"' || c == '\'') && (quote == 0 || quote == c)) {
            quote = quote == 0 ? c : 0;
        } else {
            word += c;
        }
    }
    if (quote != 0) {
        return std::nullopt;
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

} // namespace sorvane
