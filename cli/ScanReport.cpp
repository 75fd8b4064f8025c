#include "ScanReport.h"

#include "JsonWriter.h"
#include "engine/EngineStrings.h"
#include "platform/text/DisplayWidth.h"
#include "platform/text/EscapedText.h"
#include "platform/text/IO.h"

namespace sorvane::cli {

ScanReport::ScanReport(std::string layout, std::string home,
                       std::vector<CategoryFinding> categories)
    : layout_(std::move(layout))
    , home_(std::move(home))
    , categories_(std::move(categories)) {}

void ScanReport::writeText(std::FILE* out, bool withItems) const {
    std::fprintf(out, "Layout: %s\n", layout_.c_str());
    std::fprintf(out, "Home: %s\n", EscapedText::escape(home_).c_str());
    if (olderThanDays_ > 0) {
        std::fprintf(out, "Only what went unused for %d days\n", olderThanDays_);
    }
    // Counts and sizes in the language the names are in; columns by what a terminal shows.
    const QLocale locale = EngineStrings::locale();
    const auto size = [&](std::uint64_t bytes) {
        return DisplayWidth::padLeft(IO::formattedSize(bytes, locale), 12);
    };
    std::uint64_t total = 0;
    for (const auto& category : categories_) {
        total += category.size;
        const auto count = static_cast<std::int64_t>(category.items.size());
        std::fprintf(
            out, "%s %s %s %s\n",
            DisplayWidth::padRight(EscapedText::escape(category.name), 36).c_str(),
            DisplayWidth::padRight(category.key, 26).c_str(),
            DisplayWidth::padLeft(EngineStrings::text("ITEM_COUNT", count).toStdString(), 14)
                .c_str(),
            size(category.size).c_str());
        if (!category.kept.empty()) {
            std::uint64_t kept = 0;
            for (const auto& location : category.kept) {
                kept += location.size.bytes;
            }
            std::fprintf(out, "    kept: %s, %s (see sorvane-cli keep)\n",
                         EngineStrings::text("LOCATION_COUNT",
                                             static_cast<std::int64_t>(category.kept.size()))
                             .toStdString()
                             .c_str(),
                         IO::formattedSize(kept, locale).c_str());
        }
        if (!withItems) {
            continue;
        }
        for (const auto& item : category.items) {
            std::fprintf(out, "    %s %s%s\n",
                         DisplayWidth::padRight(EscapedText::escape(item.name), 60).c_str(),
                         size(item.size).c_str(),
                         item.sizeComplete ? "" : " (at least: not every folder could be read)");
            for (const auto& location : item.locations()) {
                std::fprintf(out, "        %s\n", EscapedText::escape(location).c_str());
            }
        }
    }
    std::fprintf(out, "Total: %s\n", IO::formattedSize(total, locale).c_str());
}

void ScanReport::writeJson(std::FILE* out) const {
    JsonWriter json(out);
    std::uint64_t total = 0;
    json.beginObject();
    json.key("layout");
    json.string(layout_);
    json.key("home");
    json.string(EscapedText::escape(home_));
    // 0: any age.
    json.key("olderThanDays");
    json.number(static_cast<std::uint64_t>(olderThanDays_));
    json.key("categories");
    json.beginArray();
    for (const auto& category : categories_) {
        total += category.size;
        json.beginObject();
        json.key("key");
        json.string(category.key);
        json.key("name");
        json.string(category.name);
        json.key("bundleIdentifier");
        if (category.bundleIdentifier) {
            json.string(*category.bundleIdentifier);
        } else {
            json.null();
        }
        json.key("size");
        json.number(category.size);
        json.key("items");
        json.beginArray();
        for (const auto& item : category.items) {
            json.beginObject();
            json.key("name");
            json.string(item.name);
            json.key("url");
            if (item.url) {
                json.string(EscapedText::escape(*item.url));
            } else {
                json.null();
            }
            json.key("suburls");
            json.beginArray();
            for (const auto& suburl : item.suburls) {
                json.string(EscapedText::escape(suburl));
            }
            json.endArray();
            json.key("size");
            json.number(item.size);
            // Only said when it matters, so that a whole scan reads as it always has.
            if (!item.sizeComplete) {
                json.key("sizeComplete");
                json.boolean(false);
            }
            json.endObject();
        }
        json.endArray();
        json.key("kept");
        json.beginArray();
        for (const auto& location : category.kept) {
            json.beginObject();
            json.key("path");
            json.string(EscapedText::escape(location.path));
            json.key("entry");
            json.string(EscapedText::escape(location.entry));
            json.key("size");
            json.number(location.size.bytes);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("totalSize");
    json.number(total);
    json.endObject();
    json.finish();
}

} // namespace sorvane::cli
