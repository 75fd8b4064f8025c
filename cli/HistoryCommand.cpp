#include "HistoryCommand.h"

#include "JsonWriter.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/text/EscapedText.h"
#include "platform/text/IO.h"

namespace sorvane::cli {

int HistoryCommand::run(std::FILE* out) const {
    const auto lines = CleaningJournal::read(line_.since.value_or(QDateTime()));
    if (line_.json) {
        JsonWriter json(out);
        json.beginObject();
        json.key("journal");
        json.string(EscapedText::escape(CleaningJournal::path()));
        json.key("entries");
        json.beginArray();
        for (const auto& line : lines) {
            json.beginObject();
            const std::pair<const char*, const std::string*> texts[] = {
                {"time", &line.time},         {"cleaning", &line.cleaning},
                {"layout", &line.layout},     {"category", &line.category},
                {"location", &line.location}, {"reason", &line.reason},
                {"message", &line.message}};
            for (const auto& [key, text] : texts) {
                json.key(key);
                // Stored escaped where it may hold any bytes; valid UTF-8 either way.
                json.string(*text);
            }
            json.key("bytes");
            json.number(line.bytes);
            json.key("result");
            json.string(line.removed ? "removed" : "remaining");
            json.endObject();
        }
        json.endArray();
        json.endObject();
        json.finish();
        return 0;
    }
    if (lines.empty()) {
        std::fprintf(out, "No cleanings in %s\n",
                     EscapedText::escape(CleaningJournal::path()).c_str());
    }
    for (const auto& line : lines) {
        std::fprintf(out, "%s  %-26s %-9s %10s  %s%s%s\n", line.time.c_str(), line.category.c_str(),
                     line.removed ? "removed" : "remaining", IO::formattedSize(line.bytes).c_str(),
                     line.location.c_str(), line.reason.empty() ? "" : "  ", line.reason.c_str());
    }
    return 0;
}

} // namespace sorvane::cli
