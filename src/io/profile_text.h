#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// A text of "[section]" lines and "key=value" lines, read and changed the way the classic
// profile functions do it: section and key names are matched without regard to case, blanks
// around names and values do not count, names may hold blanks ("Pole-Zero pairing"), the first
// match wins, and every line that is not changed stays exactly as it was, comments, unknown
// keys and unreadable lines included.
struct ProfileText {
    std::vector<std::string> lines;
};

// The lines of a file's bytes; line ends are "\n" or "\r\n".
ProfileText ProfileFromBytes(std::string_view bytes);

// The value of a key, blanks around it removed, or nothing when the section or the key is not
// there.
std::optional<std::string> ProfileValue(const ProfileText& text, std::string_view section, std::string_view key);

// Writes "key=value": over the key's line where the key is there, else after the last line of
// its section, else in a new section at the end.
void SetProfileValue(ProfileText& text, std::string_view section, std::string_view key, std::string_view value);

}  // namespace tavrel
