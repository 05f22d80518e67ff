#include "io/profile_text.h"

#include <cctype>

namespace tavrel {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The section a line opens, if it is a section line.
std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view t = Trimmed(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trimmed(t.substr(1, close - 1));
}

// The key of a key line: the text before the first "=".
std::optional<std::string_view> KeyOf(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(0, equals));
}

// Where a key is, or where it would go: the index of its line, or of the line after the last
// non-blank line of the first section of that name, or nothing when there is no such section.
struct Place {
    std::optional<size_t> keyLine;
    std::optional<size_t> sectionEnd;
};

Place Find(const ProfileText& text, std::string_view section, std::string_view key) {
    Place place;
    bool inside = false;       // in a section of that name
    bool insideFirst = false;  // in the first of them, where new keys go
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const std::string_view line = text.lines[i];
        if (const auto opened = SectionOf(line)) {
            inside = SameName(*opened, section);
            insideFirst = inside && !place.sectionEnd;
            if (insideFirst) place.sectionEnd = i + 1;
            continue;
        }
        if (!inside) continue;
        if (const auto name = KeyOf(line); name && SameName(*name, key)) {
            place.keyLine = i;
            return place;
        }
        if (insideFirst && !Trimmed(line).empty()) place.sectionEnd = i + 1;
    }
    return place;
}

}  // namespace

ProfileText ProfileFromBytes(std::string_view bytes) {
    ProfileText text;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text.lines.emplace_back(line);
        start = end + 1;
    }
    return text;
}

std::optional<std::string> ProfileValue(const ProfileText& text, std::string_view section, std::string_view key) {
    const Place place = Find(text, section, key);
    if (!place.keyLine) return std::nullopt;
    const std::string_view line = text.lines[*place.keyLine];
    return std::string(Trimmed(line.substr(line.find('=') + 1)));
}

void SetProfileValue(ProfileText& text, std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    const Place place = Find(text, section, key);
    if (place.keyLine) {
        text.lines[*place.keyLine] = std::move(line);
        return;
    }
    if (place.sectionEnd) {
        text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), std::move(line));
        return;
    }
    if (!text.lines.empty() && !Trimmed(text.lines.back()).empty()) text.lines.emplace_back();
    text.lines.push_back("[" + std::string(section) + "]");
    text.lines.push_back(std::move(line));
}

}  // namespace tavrel
