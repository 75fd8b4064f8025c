#include "platform/bundles/BundleInfo.h"
#include "platform/bundles/PropertyListShape.h"
#include "support/BundleFixture.h"

#include <plist/plist.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sorvane;
using test::PlistFormat;

namespace {

std::string repeated(const std::string& text, std::size_t times) {
    return QByteArray::fromStdString(text).repeated(static_cast<qsizetype>(times)).toStdString();
}

// A list shaped like a real bundle's: nested dictionaries and arrays, numbers, a date, data and
// text in several scripts. The binary form is libplist's own writing of the same list.
std::string richPlist(PlistFormat format) {
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>CFBundleIdentifier</key><string>org.sample.Id</string>
<key>CFBundleDisplayName</key><string>Grüße – 日本語</string>
<key>LSRequiresNativeExecution</key><true/><key>LSMinimumSystemVersion</key><real>11.5</real>
<key>BuildDate</key><date>2023-03-07T12:00:00Z</date><key>Blob</key><data>WlpaWlpaWlpa</data>
<key>CFBundleDocumentTypes</key><array><dict><key>CFBundleTypeName</key><string>Text</string>
<key>Rank</key><integer>7</integer><key>CFBundleTypeExtensions</key><array><string>txt</string>
<string>md</string></array></dict><dict><key>CFBundleTypeName</key><string>Image</string></dict>
</array></dict></plist>)";
    if (format == PlistFormat::xml) {
        return xml;
    }
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &root);
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    std::string binary(bytes, length);
    std::free(bytes); // NOLINT(cppcoreguidelines-no-malloc)
    plist_free(root);
    return binary;
}

// An information file whose "Deep" value nests arrays so that containers, the root dictionary
// included, reach the given depth, the innermost holding the leaf elements given.
std::string nestedXml(std::size_t depth, const std::string& leaf = "<string>leaf</string>") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made by hand -->\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string><![CDATA[org.sample.Id]]></string>"
           "<key>Deep</key>" +
           repeated("<array>", depth - 1) + leaf + repeated("</array>", depth - 1) +
           "</dict></plist>";
}

// A reference to an object of a hand-written binary list: references and offsets take three
// bytes each, big-endian.
std::string reference(std::uint64_t object) {
    return {static_cast<char>(object >> 16U), static_cast<char>(object >> 8U),
            static_cast<char>(object)};
}

// A binary list written by hand from its objects' bytes. Object 0 is the root.
std::string binaryList(const std::vector<std::string>& objects) {
    std::string list = "bplist00";
    std::string table;
    for (const auto& object : objects) {
        table += reference(list.size());
        list += object;
    }
    const std::uint64_t tableOffset = list.size();
    // The trailer's counts and offsets take eight bytes, of which these small lists fill three.
    const std::string zeros(5, '\0');
    return list + table + std::string(6, '\0') + '\x03' + '\x03' + zeros +
           reference(objects.size()) + zeros + reference(0) + zeros + reference(tableOffset);
}

// An ASCII string object, its length always written as a separate one-byte integer.
std::string ascii(const std::string& text) {
    return std::string("\x5f\x10") + static_cast<char>(text.size()) + text;
}

// {"CFBundleIdentifier": "org.sample.Id", key: [value]}, where the value is object 5 and
// objects from 5 on are the given ones.
std::string binaryDictionaryWith(const std::vector<std::string>& value,
                                 const std::string& key = ascii("Deep")) {
    std::vector<std::string> objects{
        "\xd2" + reference(1) + reference(2) + reference(3) + reference(4),
        ascii("CFBundleIdentifier"), key, ascii("org.sample.Id"), "\xa1" + reference(5)};
    objects.insert(objects.end(), value.begin(), value.end());
    return binaryList(objects);
}

// Arrays nested so that containers, the root dictionary included, reach the given depth, each
// holding the next one `copies` times: with two, reading every reference as a copy doubles the
// objects at every level. The deepest holds the leaf, an empty container being a level too.
std::string nestedBinary(std::size_t depth, int copies = 1, const char* leaf = "\x09") {
    std::vector<std::string> chain;
    // The dictionary and the array of object 4 make two levels.
    for (std::size_t level = 2; level < depth; ++level) {
        chain.push_back(static_cast<char>(0xa0 + copies) +
                        repeated(reference(6 + level - 2), copies));
    }
    chain.emplace_back(leaf); // true by default
    return binaryDictionaryWith(chain);
}

// A readable information file padded with trailing white space to exactly size bytes.
std::string paddedXml(std::size_t size) {
    std::string bytes =
        test::makePlist({{"CFBundleIdentifier", std::string("org.sample.Id")}}, PlistFormat::xml);
    bytes.resize(size, ' ');
    return bytes;
}

} // namespace

TEST(BundleInfoTest, HostileListsAreRefusedOrReadSafely) {
    enum Outcome { read, refusedByShape, refusedByParser };
    struct Case {
        const char* name;
        std::string bytes;
        Outcome outcome;
        const char* displayName = nullptr;
    };
    const std::vector<Case> cases{
        {"rich XML", richPlist(PlistFormat::xml), read, "Grüße – 日本語"},
        {"rich binary", richPlist(PlistFormat::binary), read, "Grüße – 日本語"},
        {"empty", "", refusedByParser},
        {"plain text", "plain text", refusedByParser},
        {"binary header alone", "bplist00", refusedByShape},
        {"XML whose root is no dictionary",
         "<?xml version=\"1.0\"?><plist><string>x</string></plist>", refusedByParser},
        {"XML nested 64 deep", nestedXml(64), read},
        {"XML nested 65 deep", nestedXml(65), refusedByShape},
        // As many elements as 64 containers with a leaf, but one container more.
        {"XML nested 65 deep around nothing", nestedXml(65, ""), refusedByShape},
        {"XML nested 60000 deep", nestedXml(60000), refusedByShape},
        {"XML nested 200000 deep", nestedXml(200000), refusedByShape},
        {"XML opened 140000 deep", "<plist><dict><key>a</key>" + repeated("<array>", 140000),
         refusedByShape},
        {"XML text holding elements 100000 deep",
         "<plist><dict><key>a</key><string>" + repeated("<b>", 100000) + repeated("</b>", 100000) +
             "</string></dict></plist>",
         refusedByShape},
        {"XML with an internal subset", "<!DOCTYPE plist [<!ENTITY a \"aaaa\">]>" + nestedXml(2),
         refusedByShape},
        {"binary nested 64 deep", nestedBinary(64), read},
        {"binary nested 65 deep", nestedBinary(65), refusedByShape},
        {"binary nested 65 deep, the deepest empty", nestedBinary(64, 1, "\xa0"), refusedByShape},
        {"binary nested 100000 deep", nestedBinary(100000), refusedByShape},
        {"binary nested 200000 deep", nestedBinary(200000), refusedByShape},
        {"binary dictionary holding itself",
         binaryList({"\xd1" + reference(1) + reference(0), ascii("Self")}), refusedByShape},
        {"binary array holding the dictionary", binaryDictionaryWith({"\xa1" + reference(0)}),
         refusedByShape},
        {"binary reference past the objects", binaryDictionaryWith({"\xa1" + reference(9)}),
         refusedByShape},
        {"binary count that is no integer", binaryDictionaryWith({std::string("\xaf\x50\0", 3)}),
         refusedByShape},
        {"binary sharing 14 deep", nestedBinary(14, 2), read},
        {"binary sharing 62 deep", nestedBinary(62, 2), refusedByShape},
        {"binary key holding a NUL character", // UTF-16 "K", NUL, "N"
         binaryDictionaryWith({ascii("x")}, std::string("\x63\0K\0\0\0N", 7)), read},
        {"1 MiB", paddedXml(1U << 20U), read},
        {"1 MiB and a byte", paddedXml((1U << 20U) + 1), refusedByShape},
        {"20 MiB", paddedXml(20U << 20U), refusedByShape},
    };
    test::TempHome home;
    const std::string file = home.pathOf("Info.plist");
    for (const auto& [name, bytes, outcome, displayName] : cases) {
        SCOPED_TRACE(name);
        // The check itself, since the parser may refuse some of these on its own.
        EXPECT_EQ(PropertyListShape::acceptable(bytes), outcome != refusedByShape);
        test::writeFile(file, bytes);
        for (const auto& info : {BundleInfo::parse(bytes), BundleInfo::read(file)}) {
            EXPECT_EQ(info.has_value(), outcome == read);
            if (info) {
                EXPECT_EQ(info->text("CFBundleIdentifier"), QStringLiteral("org.sample.Id"));
                // Numbers, containers and nested keys are no top-level text.
                for (const char* other : {"LSMinimumSystemVersion", "CFBundleDocumentTypes",
                                          "CFBundleTypeName", "Deep", "Missing"}) {
                    EXPECT_FALSE(info->text(other).has_value()) << other;
                }
                if (displayName != nullptr) {
                    EXPECT_EQ(info->text("CFBundleDisplayName"), QString::fromUtf8(displayName));
                }
            }
        }
    }
    // Only regular files are read: a pipe with no writer would block a plain open for good.
    ASSERT_EQ(mkfifo(home.pathOf("Pipe.plist").c_str(), 0600), 0);
    home.folder("Folder.plist");
    for (const char* name : {"Pipe.plist", "Folder.plist", "Missing.plist"}) {
        EXPECT_FALSE(BundleInfo::read(home.pathOf(name)).has_value()) << name;
    }
}
