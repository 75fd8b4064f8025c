#include "BundleWriter.h"

#include <QByteArray>

#include <array>
#include <cstdlib>
#include <plist/plist.h>

namespace sorvane::tools {

namespace {

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xffffffffU;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1U) ^ (0xedb88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

std::string bigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24U), static_cast<char>(value >> 16U),
            static_cast<char>(value >> 8U), static_cast<char>(value)};
}

std::string pngChunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return bigEndian(static_cast<std::uint32_t>(data.size())) + body + bigEndian(crc32(body));
}

} // namespace

std::string BundleWriter::png(std::uint32_t rgba) {
    constexpr std::uint32_t side = 32;
    std::string header = bigEndian(side) + bigEndian(side);
    header += std::string{8, 6, 0, 0, 0}; // 8 bits per channel, RGBA, no interlace
    std::string pixels;
    for (std::uint32_t row = 0; row < side; ++row) {
        pixels += '\0'; // no filter
        for (std::uint32_t column = 0; column < side; ++column) {
            pixels += bigEndian(rgba);
        }
    }
    // qCompress prefixes the zlib stream with its own four-byte length.
    const QByteArray compressed =
        qCompress(QByteArray(pixels.data(), static_cast<qsizetype>(pixels.size())));
    const std::string zlib(compressed.constData() + 4,
                           static_cast<std::size_t>(compressed.size() - 4));
    return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", "");
}

std::string BundleWriter::icns(const std::string& png) {
    // One element of type icp5 (a 32 by 32 image given as PNG).
    const std::string element =
        "icp5" + bigEndian(static_cast<std::uint32_t>(png.size() + 8)) + png;
    return "icns" + bigEndian(static_cast<std::uint32_t>(element.size() + 8)) + element;
}

std::string BundleWriter::plist(const PlistEntries& entries, PlistFormat format) {
    plist_t dict = plist_new_dict();
    for (const auto& [key, value] : entries) {
        plist_t node = nullptr;
        if (const auto* text = std::get_if<std::string>(&value)) {
            node = plist_new_string(text->c_str());
        } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
            node = plist_new_uint(static_cast<std::uint64_t>(*number));
        } else {
            node = plist_new_bool(std::get<bool>(value) ? 1 : 0);
        }
        plist_dict_set_item(dict, key.c_str(), node);
    }
    char* bytes = nullptr;
    std::uint32_t length = 0;
    if (format == PlistFormat::binary) {
        plist_to_bin(dict, &bytes, &length);
    } else {
        plist_to_xml(dict, &bytes, &length);
    }
    std::string result(bytes, length);
    std::free(bytes); // NOLINT(cppcoreguidelines-no-malloc)
    plist_free(dict);
    return result;
}

void BundleWriter::write(const std::string& relative, const BundleDescription& bundle) {
    PlistEntries entries{
        {"CFBundleName", bundle.name},       {"CFBundleIdentifier", bundle.identifier},
        {"CFBundleExecutable", bundle.name}, {"CFBundleIconFile", "AppIcon"},
        {"CFBundlePackageType", "APPL"},
    };
    if (!bundle.version.empty()) {
        entries.emplace_back("CFBundleShortVersionString", bundle.version);
        entries.emplace_back("CFBundleVersion", bundle.version);
    }
    tree_.file(relative + "/Contents/Info.plist", plist(entries, bundle.format));
    tree_.file(relative + "/Contents/PkgInfo", std::string("APPL????"));
    tree_.file(relative + "/Contents/Resources/AppIcon.icns", icns(png(bundle.iconColour)));
    tree_.file(relative + "/Contents/MacOS/" + bundle.name, std::uint64_t{180000});
}

} // namespace sorvane::tools
