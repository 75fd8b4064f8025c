#include "platform/BundleInfo.h"
#include "platform/PropertyListShape.h"
#include "support/BundleFixture.h"

#include <plist/plist.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

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

namespace {

std::string repeated(const std::string& text, std::size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

// An information file whose "Deep" value nests arrays so that containers, the root dictionary
// included, reach the given depth.
std::string nestedXml(std::size_t depth) {
    const std::string opening = repeated("<array>", depth - 1);
    const std::string closing = repeated("</array>", depth - 1);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made by hand -->\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string><![CDATA[org.sample.Deep]]></string>"
           "<key>Deep</key>" +
           opening + "<string>leaf</string>" + closing + "</dict></plist>";
}

// A binary list written by hand: objects are given as their bytes, references (and offsets)
// take three bytes each. Object 0 is the root.
std::string binaryList(const std::vector<std::string>& objects) {
    const auto bigEndian = [](std::uint64_t value, int width) {
        std::string bytes;
        for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
            bytes += static_cast<char>((value >> static_cast<unsigned>(shift)) & 0xffU);
        }
        return bytes;
    };
    std::string list = "bplist00";
    std::string table;
    for (const auto& object : objects) {
        table += bigEndian(list.size(), 3);
        list += object;
    }
    const std::uint64_t tableOffset = list.size();
    list += table;
    list += std::string(6, '\0') + '\x03' + '\x03' + bigEndian(objects.size(), 8) +
            bigEndian(0, 8) + bigEndian(tableOffset, 8);
    return list;
}

std::string reference(std::uint64_t object) {
    return {static_cast<char>(object >> 16U), static_cast<char>(object >> 8U),
            static_cast<char>(object)};
}

std::string ascii(const std::string& text) {
    if (text.size() < 15) {
        return static_cast<char>(0x50U | text.size()) + text;
    }
    return std::string("\x5f\x10") + static_cast<char>(text.size()) + text;
}

// {"CFBundleIdentifier": "org.sample.Deep", "Deep": value}, where the value is object 5 and
// objects from 5 on are the given ones.
std::string binaryDictionaryWith(const std::vector<std::string>& value) {
    std::vector<std::string> objects{"\xd2" + reference(1) + reference(2) + reference(3) +
                                         reference(4),
                                     ascii("CFBundleIdentifier"), ascii("Deep"),
                                     ascii("org.sample.Deep"), "\xa1" + reference(5)};
    objects.insert(objects.end(), value.begin(), value.end());
    return binaryList(objects);
}

// Arrays nested so that containers, the root dictionary included, reach the given depth.
std::string nestedBinary(std::size_t depth) {
    std::vector<std::string> chain;
    // The dictionary and the array of object 4 make two levels.
    for (std::size_t level = 2; level < depth; ++level) {
        chain.push_back("\xa1" + reference(5 + chain.size() + 1));
    }
    chain.emplace_back("\x09"); // true
    return binaryDictionaryWith(chain);
}

// Arrays that each hold the next one twice: reading every reference as a copy doubles the
// objects at every level.
std::string doublingBinary(std::size_t levels) {
    std::vector<std::string> chain;
    for (std::size_t level = 0; level < levels; ++level) {
        const std::uint64_t next = 5 + chain.size() + 1;
        chain.push_back("\xa2" + reference(next) + reference(next));
    }
    chain.emplace_back("\x09"); // true
    return binaryDictionaryWith(chain);
}

// A readable information file padded with trailing white space to exactly size bytes.
std::string paddedXml(std::size_t size) {
    std::string bytes =
        test::makePlist({{"CFBundleIdentifier", std::string("org.sample.Deep")}}, PlistFormat::xml);
    bytes.resize(size, ' ');
    return bytes;
}

} // namespace

TEST(BundleInfoTest, HostileListsAreRefusedOrReadSafely) {
    const std::string self = binaryList({"\xd1" + reference(1) + reference(0), ascii("Self")});
    struct Case {
        const char* name;
        std::string bytes;
        bool readable;
    };
    const std::vector<Case> cases{
        {"XML nested 64 deep", nestedXml(64), true},
        {"XML nested 65 deep", nestedXml(65), false},
        {"XML nested 60000 deep", nestedXml(60000), false},
        {"XML nested 200000 deep", nestedXml(200000), false},
        {"XML opened 140000 deep", "<plist><dict><key>a</key>" + repeated("<array>", 140000),
         false},
        {"XML with an internal subset", "<!DOCTYPE plist [<!ENTITY a \"aaaa\">]>" + nestedXml(2),
         false},
        {"binary nested 64 deep", nestedBinary(64), true},
        {"binary nested 65 deep", nestedBinary(65), false},
        {"binary nested 100000 deep", nestedBinary(100000), false},
        {"binary nested 200000 deep", nestedBinary(200000), false},
        {"binary dictionary holding itself", self, false},
        {"binary array holding the dictionary", binaryDictionaryWith({"\xa1" + reference(0)}),
         false},
        {"binary reference past the objects", binaryDictionaryWith({"\xa1" + reference(9)}), false},
        {"binary sharing 12 levels deep", doublingBinary(12), true},
        {"binary sharing 60 levels deep", doublingBinary(60), false},
        {"binary key holding a NUL character", // UTF-16 "K", NUL, "N"
         binaryList({"\xd2" + reference(1) + reference(2) + reference(3) + reference(4),
                     std::string("\x63\0K\0\0\0N", 7), ascii("CFBundleIdentifier"), ascii("x"),
                     ascii("org.sample.Deep")}),
         true},
        {"1 MiB", paddedXml(1U << 20U), true},
        {"1 MiB and a byte", paddedXml((1U << 20U) + 1), false},
    };
    for (const auto& [name, bytes, readable] : cases) {
        SCOPED_TRACE(name);
        // The check itself, since the parser may refuse some of these on its own.
        EXPECT_EQ(PropertyListShape::acceptable(bytes), readable);
        const auto info = BundleInfo::parse(bytes);
        EXPECT_EQ(info.has_value(), readable);
        if (readable && info) {
            EXPECT_EQ(info->text("CFBundleIdentifier"), QStringLiteral("org.sample.Deep"));
        }
    }
}

TEST(BundleInfoTest, ReadsOnlyRegularFilesOfAtMostOneMebibyte) {
    test::TempHome home;
    const std::string valid =
        test::makePlist({{"CFBundleIdentifier", std::string("org.sample.Deep")}}, PlistFormat::xml);
    test::writeFile(home.pathOf("Info.plist"), valid);
    test::writeFile(home.pathOf("Large.plist"), paddedXml((1U << 20U) + 1));
    ASSERT_EQ(mkfifo(home.pathOf("Pipe.plist").c_str(), 0600), 0);
    home.folder("Folder.plist");
    test::writeFile(home.pathOf("Huge.plist"), paddedXml(20U << 20U));
    const std::vector<std::pair<std::string, bool>> cases{
        {"Info.plist", true},    {"Large.plist", false}, {"Pipe.plist", false},
        {"Folder.plist", false}, {"Huge.plist", false},  {"Missing.plist", false},
    };
    for (const auto& [name, readable] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(BundleInfo::read(home.pathOf(name)).has_value(), readable);
    }
}
