#include "ScanReport.h"

#include "JsonWriter.h"
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
    std::uint64_t total = 0;
    for (const auto& category : categories_) {
        total += category.size;
        std::fprintf(out, "%-34s %-26s %6zu item%s %12s\n",
                     EscapedText::escape(category.name).c_str(), category.key.c_str(),
                     category.items.size(), category.items.size() == 1 ? " " : "s",
                     IO::formattedSize(category.size).c_str());
        if (!category.kept.empty()) {
            std::uint64_t kept = 0;
            for (const auto& location : category.kept) {
                kept += location.size.bytes;
            }
            std::fprintf(out, "    kept: %zu location%s, %s (see sorvane-cli keep)\n",
                         category.kept.size(), category.kept.size() == 1 ? "" : "s",
                         IO::formattedSize(kept).c_str());
        }
        if (!withItems) {
            continue;
        }
        for (const auto& item : category.items) {
            std::fprintf(out, "    %-60s %12s%s\n", EscapedText::escape(item.name).c_str(),
                         IO::formattedSize(item.size).c_str(),
                         item.sizeComplete ? "" : " (at least: not every folder could be read)");
            for (const auto& location : item.locations()) {
                std::fprintf(out, "        %s\n", EscapedText::escape(location).c_str());
            }
        }
    }
    std::fprintf(out, "Total: %s\n", IO::formattedSize(total).c_str());
}

void ScanReport::writeJson(std::FILE* out) const {
    JsonWriter json(out);
    std::uint64_t total = 0;
    json.beginObject();
    json.key("layout");
    json.string(layout_);
    json.key("home");
    json.string(EscapedText::escape(home_));
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
