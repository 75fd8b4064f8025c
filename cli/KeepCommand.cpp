#include "KeepCommand.h"

#include "JsonWriter.h"
#include "platform/keep/KeepList.h"
#include "platform/keep/KeepListFile.h"
#include "platform/keep/KeptHoldings.h"
#include "platform/places/Layout.h"
#include "platform/text/EscapedText.h"
#include "platform/text/IO.h"

#include <algorithm>

namespace sorvane::cli {

namespace {

constexpr int failed = 1;
constexpr int usageError = 2;

struct Holding {
    const KeepRule* rule;
    std::vector<KeptLocation> locations;
    std::uint64_t bytes = 0;
};

std::vector<Holding> holdings(const KeepList& keep) {
    std::vector<Holding> all;
    for (const auto& rule : keep.rules()) {
        Holding holding{&rule, KeptHoldings::of(rule)};
        for (const auto& location : holding.locations) {
            holding.bytes += location.size.bytes;
        }
        all.push_back(std::move(holding));
    }
    return all;
}

} // namespace

int KeepCommand::run(std::FILE* out) const {
    if (line_.keepAction == KeepAction::list) {
        list(out);
        return 0;
    }
    if (const auto problem = change()) {
        std::fprintf(stderr, "sorvane-cli: %s\n", problem->message.c_str());
        return problem->status;
    }
    return 0;
}

void KeepCommand::list(std::FILE* out) const {
    const KeepList keep = KeepList::current();
    const std::vector<Holding> all = holdings(keep);
    if (!line_.json) {
        std::fprintf(out, "Keep list: %s\n", EscapedText::escape(KeepListFile::location()).c_str());
        for (const auto& holding : all) {
            const std::size_t count = holding.locations.size();
            std::fprintf(out, "%-50s %4zu location%s %12s%s%s\n",
                         EscapedText::escape(holding.rule->entry.text()).c_str(), count,
                         count == 1 ? " " : "s", IO::formattedSize(holding.bytes).c_str(),
                         holding.rule->builtIn() ? "  built in: " : "",
                         holding.rule->reason.c_str());
        }
        return;
    }
    JsonWriter json(out);
    json.beginObject();
    json.key("file");
    json.string(EscapedText::escape(KeepListFile::location()));
    json.key("entries");
    json.beginArray();
    for (const auto& holding : all) {
        json.beginObject();
        json.key("entry");
        json.string(EscapedText::escape(holding.rule->entry.text()));
        json.key("builtIn");
        json.boolean(holding.rule->builtIn());
        json.key("reason");
        if (holding.rule->builtIn()) {
            json.string(holding.rule->reason);
        } else {
            json.null();
        }
        json.key("locations");
        json.beginArray();
        for (const auto& location : holding.locations) {
            json.string(EscapedText::escape(location.path));
        }
        json.endArray();
        json.key("size");
        json.number(holding.bytes);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.finish();
}

std::optional<KeepCommand::Problem> KeepCommand::change() const {
    const std::string home = Layout::home();
    std::vector<std::string> entries;
    for (const auto& given : line_.entries) {
        auto parsed = KeepEntry::parse(given, home);
        if (const auto* problem = std::get_if<std::string>(&parsed)) {
            return Problem{"cannot keep " + EscapedText::escape(*problem), usageError};
        }
        entries.push_back(std::get<KeepEntry>(parsed).text());
    }
    if (line_.keepAction == KeepAction::remove) {
        const KeepListFile::Lines stored = KeepListFile::read();
        const KeepList keep = KeepList::current();
        for (const auto& entry : entries) {
            if (std::find(stored.entries.begin(), stored.entries.end(), entry) !=
                stored.entries.end()) {
                continue;
            }
            const bool builtIn =
                std::any_of(keep.rules().begin(), keep.rules().end(), [&](const KeepRule& rule) {
                    return rule.builtIn() && rule.entry.text() == entry;
                });
            return Problem{"'" + EscapedText::escape(entry) +
                               (builtIn ? "' is built in and always kept"
                                        : "' is not in the keep list (see sorvane-cli keep)"),
                           usageError};
        }
    }
    const bool adding = line_.keepAction == KeepAction::add;
    if (const auto problem = KeepListFile::change(adding ? entries : std::vector<std::string>{},
                                                  adding ? std::vector<std::string>{} : entries)) {
        return Problem{"the keep list was not changed: " + EscapedText::escape(*problem), failed};
    }
    return std::nullopt;
}

} // namespace sorvane::cli
