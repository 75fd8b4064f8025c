#include "CleanReport.h"

#include "JsonWriter.h"
#include "platform/fs/Path.h"
#include "platform/text/EscapedText.h"
#include "platform/text/IO.h"

namespace sorvane::cli {

namespace {

void writePaths(JsonWriter& json, const std::vector<std::string>& paths) {
    json.beginArray();
    for (const auto& path : paths) {
        json.string(EscapedText::escape(path));
    }
    json.endArray();
}

} // namespace

CleanReport::CleanReport(std::string layout, std::string home, std::vector<SelectedItem> selection)
    : layout_(std::move(layout))
    , home_(std::move(home))
    , selection_(std::move(selection)) {}

std::uint64_t CleanReport::selectedSize() const {
    std::uint64_t total = 0;
    for (const auto& selected : selection_) {
        total += selected.item.size;
    }
    return total;
}

void CleanReport::recordOutcome(const KeepList& keep) {
    cleaned_ = true;
    deleted_.clear();
    remaining_.clear();
    kept_.clear();
    for (const auto& selected : selection_) {
        for (const auto& location : selected.item.locations()) {
            // Only the system's word that nothing is there counts as deleted: a location that
            // cannot even be looked at is reported as remaining.
            if (Path::isGone(Url(location))) {
                deleted_.push_back(location);
            } else {
                (Path::holdsOnlyKept(Url(location), keep) ? kept_ : remaining_).push_back(location);
            }
        }
    }
}

void CleanReport::writeText(std::FILE* out) const {
    std::fprintf(out, "Layout: %s\n", layout_.c_str());
    std::fprintf(out, "Home: %s\n", EscapedText::escape(home_).c_str());
    std::fprintf(out, "%s\n",
                 cleaned_ ? "Selected for deletion:"
                          : "Would delete (nothing is deleted without --yes):");
    for (const auto& selected : selection_) {
        std::fprintf(out, "  %-26s %-50s %12s\n", selected.categoryKey.c_str(),
                     EscapedText::escape(selected.item.name).c_str(),
                     IO::formattedSize(selected.item.size).c_str());
        for (const auto& location : selected.item.locations()) {
            std::fprintf(out, "      %s\n", EscapedText::escape(location).c_str());
        }
    }
    std::fprintf(out, "Selected: %zu item%s, %s\n", selection_.size(),
                 selection_.size() == 1 ? "" : "s", IO::formattedSize(selectedSize()).c_str());
    if (!cleaned_) {
        return;
    }
    std::fprintf(out, "Deleted: %zu location%s\n", deleted_.size(),
                 deleted_.size() == 1 ? "" : "s");
    for (const auto& location : deleted_) {
        std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
    }
    if (!kept_.empty()) {
        std::fprintf(out, "Kept below: %zu location%s (see sorvane-cli keep)\n", kept_.size(),
                     kept_.size() == 1 ? "" : "s");
        for (const auto& location : kept_) {
            std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
        }
    }
    std::fprintf(out, "Remaining: %zu location%s\n", remaining_.size(),
                 remaining_.size() == 1 ? "" : "s");
    for (const auto& location : remaining_) {
        std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
    }
}

void CleanReport::writeJson(std::FILE* out) const {
    JsonWriter json(out);
    json.beginObject();
    json.key("layout");
    json.string(layout_);
    json.key("home");
    json.string(EscapedText::escape(home_));
    json.key("cleaned");
    json.boolean(cleaned_);
    json.key("selected");
    json.beginArray();
    for (const auto& selected : selection_) {
        json.beginObject();
        json.key("key");
        json.string(selected.categoryKey);
        json.key("name");
        json.string(selected.item.name);
        json.key("url");
        if (selected.item.url) {
            json.string(EscapedText::escape(*selected.item.url));
        } else {
            json.null();
        }
        json.key("suburls");
        writePaths(json, selected.item.suburls);
        json.key("size");
        json.number(selected.item.size);
        json.endObject();
    }
    json.endArray();
    json.key("selectedSize");
    json.number(selectedSize());
    if (cleaned_) {
        json.key("deleted");
        writePaths(json, deleted_);
        json.key("remaining");
        writePaths(json, remaining_);
        json.key("keptBelow");
        writePaths(json, kept_);
    }
    json.endObject();
    json.finish();
}

} // namespace sorvane::cli
