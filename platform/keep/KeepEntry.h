#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sorvane {

// One line of the keep list: an absolute location, or a pattern of locations, that keeps what
// it names and everything below it. "~/" stands for the home. Within one component "*", "?"
// and "[...]" match as in the shell; a component "**" matches any number of whole components.
// Components compare whole and case-sensitively with the path as it was found from its anchor:
// nothing is resolved, so a location reached through a link is not the link's target.
class KeepEntry {
public:
    // The entry, or why it cannot be one (relative, or holding "." or ".." or an empty
    // component). home replaces a leading "~/" (and a lone "~").
    static std::variant<KeepEntry, std::string> parse(std::string_view text, std::string_view home);
    // The text of the entry that names exactly the location: "~/" for the home when the location
    // lies in it, and the characters that patterns use taken literally, so that a file named
    // "a[1]" keeps itself rather than "a1".
    static std::string forLocation(std::string_view path, std::string_view home);

    // As written, "~/" included.
    const std::string& text() const { return text_; }
    // The folder named by the components before the first pattern: every location the entry
    // names lies in it (or is it).
    std::string base() const;
    // Whether the entry names one location only, which base() then is.
    bool isLiteral() const;
    // Whether the entry names the location or a folder that holds it.
    bool keeps(std::string_view path) const;
    // Whether something the entry may name lies strictly below the location: the location is
    // on the way to a kept one.
    bool leadsBelow(std::string_view path) const;

private:
    KeepEntry(std::string text, std::vector<std::string> components);

    bool keepsFrom(const std::vector<std::string_view>& path, std::size_t entryAt,
                   std::size_t pathAt) const;
    bool leadsFrom(const std::vector<std::string_view>& path, std::size_t entryAt,
                   std::size_t pathAt) const;

    std::string text_;
    std::vector<std::string> components_;
};

} // namespace sorvane
