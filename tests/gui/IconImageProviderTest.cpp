#include "IconImageProvider.h"
#include "IconSource.h"
#include "platform/Images.h"
#include "platform/Path.h"
#include "support/BundleFixture.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QUrl>

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
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[3 - i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
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

TEST(IconImageProviderTest, DrawsEveryKindOfIcon) {
    test::TempHome home;
    const QByteArray container = icns();
    const QImage largest = largestIcnsImage(container);
    ASSERT_EQ(largest.width(), 256);
    EXPECT_EQ(largest.pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_TRUE(largestIcnsImage(container.left(40)).isNull())
        << "a cut container yields what it holds whole";
    EXPECT_TRUE(largestIcnsImage("icns").isNull());

    test::makeBundle(home, "Editor.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Editor")},
                      {"CFBundleIconFile", std::string("Editor")}});
    home.folder("Editor.app/Contents/Resources");
    test::writeFile(home.pathOf("Editor.app/Contents/Resources/Editor.icns"),
                    container.toStdString());

    IconImageProvider provider;
    QSize size;
    // A bundle's file icon is its own icon, scaled to what was asked.
    const QImage bundle = provider.requestImage(iconSource(Path::icon(home.pathOf("Editor.app"))),
                                                &size, QSize(64, 64));
    ASSERT_EQ(size, QSize(64, 64));
    EXPECT_EQ(bundle.pixelColor(32, 32), QColor(Qt::blue));
    const QImage file = provider.requestImage(
        iconSource(makeImage(Icon::Kind::imageFile,
                             home.pathOf("Editor.app/Contents/Resources/Editor.icns"))),
        &size, QSize(32, 32));
    EXPECT_EQ(file.pixelColor(16, 16), QColor(Qt::blue));

    // A symbol in the colour asked for: every drawn pixel takes it.
    const QImage symbol = provider.requestImage(iconSource(Images::symbol("circle.fill")) +
                                                    QStringLiteral("?color=%2300ff00"),
                                                &size, QSize(48, 48));
    ASSERT_FALSE(symbol.isNull());
    const QColor centre = symbol.pixelColor(24, 24);
    EXPECT_EQ(centre.green(), 255);
    EXPECT_EQ(centre.red(), 0);
    EXPECT_EQ(symbol.pixelColor(0, 0).alpha(), 0) << "outside the circle stays clear";

    // Folders, files of any type and unknown sources always give a picture of the size asked.
    home.file("notes.txt", 10);
    for (const QString& source :
         {iconSource(Path::icon(home.path())), iconSource(Path::icon(home.pathOf("notes.txt"))),
          iconSource(Images::stock("user-trash-full")), QStringLiteral("nonsense")}) {
        const QImage image = provider.requestImage(source, &size, QSize(40, 40));
        EXPECT_EQ(image.size(), QSize(40, 40)) << source.toStdString();
    }
    EXPECT_EQ(*iconFromSource(iconSource(Path::icon("/tmp/a b,c\xff"))),
              (Icon{Icon::Kind::fileIcon, "/tmp/a b,c\xff"}))
        << "any path survives the trip through an image source";
}

// A desktop without an icon theme still shows a picture for every stock icon the finders name.
TEST(IconImageProviderTest, StockIconsDrawWithoutAnIconTheme) {
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList fallbackPaths = QIcon::fallbackSearchPaths();
    QIcon::setThemeSearchPaths({});
    QIcon::setFallbackSearchPaths({});
    const std::shared_ptr<void> restore(nullptr, [&](void*) {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setFallbackSearchPaths(fallbackPaths);
    });
    ASSERT_TRUE(QIcon::fromTheme(QStringLiteral("folder")).isNull()) << "no theme is left";

    IconImageProvider provider;
    QSize size;
    for (const char* name : {"application-x-executable", "applications-development",
                             "dialog-warning", "folder", "image-x-generic", "user-trash-full"}) {
        const QImage image =
            provider.requestImage(iconSource(Images::stock(name)), &size, QSize(32, 32));
        ASSERT_EQ(image.size(), QSize(32, 32)) << name;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                drawn += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(drawn, 20) << name;
    }
}

// A location travels to the image provider inside a URL, which Qt hands over decoded in part:
// every byte of it, text or not, must arrive as it left.
TEST(IconImageProviderTest, LocationsSurviveTheTripThroughAUrl) {
    for (const std::string path :
         {"/home/j\xc3\xbcrgen", "/tmp/100%/x%41", "/a b/#c?d&e=f", "/odd/\xfc\xff-bytes",
          "/\xe6\x96\x87\xe4\xbb\xb6/\xf0\x9f\x93\x81", "/plain"}) {
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
