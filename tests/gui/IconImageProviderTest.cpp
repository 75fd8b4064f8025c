#include "IconImageProvider.h"
#include "IconSource.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"
#include "support/BundleFixture.h"

#include <QBuffer>
#include <QDataStream>
#include <QIcon>
#include <QImage>
#include <QUrl>

#include <tuple>

#include <gtest/gtest.h>

using namespace sorvane;

namespace {

QByteArray png(int side, QColor color) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray bigEndian(quint32 value) {
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << value; // big-endian by default
    return bytes;
}

// An .icns container with two PNG entries and one entry of another kind.
QByteArray icns() {
    QByteArray entries;
    for (const auto& [type, data] :
         {std::pair<QByteArray, QByteArray>{"ic07", png(128, Qt::red)},
          std::pair<QByteArray, QByteArray>{"TOC ", QByteArray(16, 'x')},
          std::pair<QByteArray, QByteArray>{"ic08", png(256, Qt::blue)}}) {
        entries += type + bigEndian(static_cast<quint32>(data.size() + 8)) + data;
    }
    return "icns" + bigEndian(static_cast<quint32>(entries.size() + 8)) + entries;
}

} // namespace

// Drawn on a desktop without an icon theme, where the stock icons the finders name must still
// show a picture.
TEST(IconImageProviderTest, DrawsEveryKindOfIconWithoutAnIconTheme) {
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList fallbackPaths = QIcon::fallbackSearchPaths();
    QIcon::setThemeSearchPaths({});
    QIcon::setFallbackSearchPaths({});
    const std::shared_ptr<void> restore(nullptr, [&](void*) {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setFallbackSearchPaths(fallbackPaths);
    });
    ASSERT_TRUE(QIcon::fromTheme(QStringLiteral("folder")).isNull()) << "no theme is left";

    const QByteArray container = icns();
    EXPECT_TRUE(largestIcnsImage(container.left(40)).isNull())
        << "a cut container yields what it holds whole";
    EXPECT_TRUE(largestIcnsImage("icns").isNull());

    test::TempHome home;
    test::makeBundle(home, "Editor.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Editor")},
                      {"CFBundleIconFile", std::string("Editor")}});
    home.folder("Editor.app/Contents/Resources");
    const std::string icnsFile = home.pathOf("Editor.app/Contents/Resources/Editor.icns");
    test::writeFile(icnsFile, container.toStdString());
    home.file("notes.txt", 10);
    // Every source, even an unknown one, gives a picture of the size asked. A bundle's file icon
    // is its own icon, and an .icns file's picture is its largest image.
    // The source, whether it must draw something, and the colour at its centre.
    std::vector<std::tuple<QString, bool, std::optional<QColor>>> cases{
        {iconSource(Path::icon(home.pathOf("Editor.app"))), true, QColor(Qt::blue)},
        {iconSource(makeImage(Icon::Kind::imageFile, icnsFile)), true, QColor(Qt::blue)},
        {iconSource(Path::icon(home.path())), false, std::nullopt},
        {iconSource(Path::icon(home.pathOf("notes.txt"))), false, std::nullopt},
        {QStringLiteral("nonsense"), false, std::nullopt}};
    for (const char* name :
         {"application-x-executable", "applications-development", "applications-internet",
          "dialog-warning", "folder", "image-x-generic", "user-trash-full"}) {
        cases.push_back({iconSource(Images::stock(name)), true, std::nullopt});
    }
    IconImageProvider provider;
    QSize size;
    for (const auto& [source, drawn, centre] : cases) {
        SCOPED_TRACE(source.toStdString());
        const QImage image = provider.requestImage(source, &size, QSize(32, 32));
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_EQ(size, QSize(32, 32));
        int pixels = 0;
        for (int pixel = 0; pixel < 32 * 32; ++pixel) {
            pixels += image.pixelColor(pixel % 32, pixel / 32).alpha() > 0 ? 1 : 0;
        }
        EXPECT_TRUE(!drawn || pixels > 20) << pixels << " pixels drawn";
        if (centre) {
            EXPECT_EQ(image.pixelColor(16, 16), *centre);
        }
    }
}

// A location travels to the image provider inside a URL, which Qt hands over decoded in part:
// every byte of it, text or not, must arrive as it left.
TEST(IconImageProviderTest, LocationsSurviveTheTripThroughAUrl) {
    for (const std::string path :
         {"/home/j\xc3\xbcrgen", "/tmp/100%/x%41", "/a b/#c?d&e=f", "/odd/\xfc\xff-bytes",
          "/\xe6\x96\x87\xe4\xbb\xb6/\xf0\x9f\x93\x81", "/tmp/a b,c\xff", "/plain"}) {
        SCOPED_TRACE(path);
        const Image icon = makeImage(Icon::Kind::fileIcon, path);
        const QUrl url(QStringLiteral("image://sorvane/") + iconSource(icon));
        ASSERT_TRUE(url.isValid());
        // What the engine's pixmap cache passes to the provider as the image's id.
        const QString id = url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
        const Image back = iconFromSource(id);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->value, path);
        EXPECT_EQ(back->kind, Icon::Kind::fileIcon);
    }
}
