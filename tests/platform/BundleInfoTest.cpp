#include "platform/BundleInfo.h"
#include "support/BundleFixture.h"

#include <plist/plist.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace sorvane;
using test::PlistFormat;

namespace {

// A property list shaped like a real bundle's: nested dictionaries and arrays, numbers, dates,
// data and text in several scripts, serialised by libplist.
std::string richPlist(PlistFormat format) {
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "CFBundleIdentifier", plist_new_string("org.sample.Rich"));
    plist_dict_set_item(root, "CFBundleShortVersionString", plist_new_string("12.4.1"));
    plist_dict_set_item(root, "CFBundleDisplayName", plist_new_string("Grüße – 日本語"));
    plist_dict_set_item(root, "LSRequiresNativeExecution", plist_new_bool(1));
    plist_dict_set_item(root, "LSMinimumSystemVersion", plist_new_real(11.5));
    plist_dict_set_item(root, "BuildDate", plist_new_date(700000000, 0));
    const std::string blob(300, '\x5a');
    plist_dict_set_item(root, "Blob", plist_new_data(blob.data(), blob.size()));
    plist_t types = plist_new_array();
    for (int i = 0; i < 20; ++i) {
        plist_t type = plist_new_dict();
        plist_dict_set_item(type, "CFBundleTypeName",
                            plist_new_string(("Document " + std::to_string(i)).c_str()));
        plist_dict_set_item(type, "Rank", plist_new_uint(static_cast<std::uint64_t>(i)));
        plist_t extensions = plist_new_array();
        plist_array_append_item(extensions, plist_new_string("txt"));
        plist_array_append_item(extensions, plist_new_string("md"));
        plist_dict_set_item(type, "CFBundleTypeExtensions", extensions);
        plist_array_append_item(types, type);
    }
    plist_dict_set_item(root, "CFBundleDocumentTypes", types);
    char* bytes = nullptr;
    std::uint32_t length = 0;
    if (format == PlistFormat::binary) {
        plist_to_bin(root, &bytes, &length);
    } else {
        plist_to_xml(root, &bytes, &length);
    }
    std::string result(bytes, length);
    std::free(bytes); // NOLINT(cppcoreguidelines-no-malloc)
    plist_free(root);
    return result;
}

} // namespace

TEST(BundleInfoTest, ReadsTextValuesOfXmlAndBinaryLists) {
    for (const auto format : {PlistFormat::xml, PlistFormat::binary}) {
        const auto info = BundleInfo::parse(richPlist(format));
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->text("CFBundleIdentifier"), QStringLiteral("org.sample.Rich"));
        EXPECT_EQ(info->text("CFBundleDisplayName"), QString::fromUtf8("Grüße – 日本語"));
        EXPECT_FALSE(info->text("LSMinimumSystemVersion").has_value());
        EXPECT_FALSE(info->text("CFBundleDocumentTypes").has_value());
        EXPECT_FALSE(info->text("Missing").has_value());
    }
    EXPECT_FALSE(BundleInfo::parse("").has_value());
    EXPECT_FALSE(BundleInfo::parse("plain text").has_value());
    EXPECT_FALSE(BundleInfo::parse("bplist00").has_value());
    EXPECT_FALSE(
        BundleInfo::parse("<?xml version=\"1.0\"?><plist><string>x</string></plist>").has_value());
    EXPECT_FALSE(BundleInfo::read("/nonexistent/Info.plist").has_value());
    EXPECT_FALSE(BundleInfo::read("/proc/self").has_value()) << "a folder is no list";
}

TEST(BundleInfoTest, SurvivesThousandsOfDamagedLists) {
    std::mt19937 random(20261206);
    for (const auto format : {PlistFormat::binary, PlistFormat::xml}) {
        const std::string original = richPlist(format);
        const int rounds = format == PlistFormat::binary ? 4000 : 1500;
        int parsed = 0;
        for (int round = 0; round < rounds; ++round) {
            std::string damaged = original;
            auto position = [&](std::size_t size) {
                return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
            };
            switch (round % 5) {
            case 0: // cut short
                damaged.resize(position(damaged.size()));
                break;
            case 1: // flipped bits anywhere
                for (int flips = 1 + round % 8; flips > 0; --flips) {
                    damaged[position(damaged.size())] ^= static_cast<char>(1U << (random() % 8));
                }
                break;
            case 2: // the trailer's sizes, counts and offsets, which binary readers trust
                for (int hits = 1 + round % 4; hits > 0; --hits) {
                    damaged[damaged.size() - 1 -
                            position(std::min<std::size_t>(32, damaged.size()))] =
                        static_cast<char>(random());
                }
                break;
            case 3: // random bytes overwritten in a run
            {
                const std::size_t start = position(damaged.size());
                for (std::size_t i = start; i < std::min(damaged.size(), start + 16); ++i) {
                    damaged[i] = static_cast<char>(random());
                }
                break;
            }
            default: // bytes inserted
                damaged.insert(position(damaged.size()),
                               std::string(1 + round % 7, static_cast<char>(random())));
                break;
            }
            if (BundleInfo::parse(damaged).has_value()) {
                ++parsed;
            }
        }
        // Most damage leaves the list unreadable, some leaves it readable; neither may crash.
        EXPECT_LT(parsed, rounds);
    }
}
