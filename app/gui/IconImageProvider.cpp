#include "IconImageProvider.h"

#include "IconSource.h"

#include "platform/fs/Path.h"
#include "platform/fs/RegularFile.h"
#include "platform/icons/FileIconManager.h"
#include "platform/icons/IcnsContainer.h"

#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QSvgRenderer>
#include <QUrlQuery>

namespace sorvane {

namespace {

constexpr int defaultPixels = 64;

QImage renderSvg(QSvgRenderer& renderer, const QSize& pixels) {
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// One of our own drawings, built into the program.
QImage renderSvgResource(const QString& resource, const QSize& pixels) {
    QSvgRenderer renderer(resource);
    return renderSvg(renderer, pixels);
}

QImage loadImageFile(const QString& file, const QSize& pixels) {
    // Only a regular file, and only so much of it: an icon name may lead to a pipe or a device.
    const auto contents = RegularFile::read(file.toStdString(), 32 * 1024 * 1024);
    if (!contents) {
        return {};
    }
    const QByteArray bytes = QByteArray::fromStdString(*contents);
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(bytes);
        return renderSvg(renderer, pixels);
    }
    if (bytes.startsWith("icns")) {
        return largestIcnsImage(bytes);
    }
    return QImage::fromData(bytes);
}

QImage symbolImage(const QString& name, const QSize& pixels) {
    return renderSvgResource(QStringLiteral(":/sorvane/symbols/") + name + QStringLiteral(".svg"),
                             pixels);
}

void tint(QImage& image, const QColor& color) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
}

// Our own monochrome drawing where the theme has none, in a grey that reads on light and dark.
QImage fallbackImage(const QString& symbol, const QSize& pixels) {
    QImage image = symbolImage(symbol, pixels);
    if (!image.isNull()) {
        tint(image, QColor(142, 142, 147));
    }
    return image;
}

QImage themeImage(const QString& name, const QString& fallbackSymbol, const QSize& pixels) {
    const QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull()) {
        const QImage image = icon.pixmap(pixels).toImage();
        if (!image.isNull()) {
            return image;
        }
    }
    return fallbackImage(fallbackSymbol, pixels);
}

// What the file manager would show for the item: a bundle's own icon, the theme's folder, or the
// icon of the file's type.
QImage fileIconImage(const std::string& path, const QSize& pixels) {
    const QString file = QString::fromStdString(path);
    if (Path::isDirectory(path)) {
        if (Path::isPackage(Url(path)) && file.endsWith(QStringLiteral(".app"))) {
            if (const auto iconFile =
                    FileIconManager::iconFileUrl(Url::folder(path + "/Contents"))) {
                const QImage bundle =
                    loadImageFile(QString::fromStdString(iconFile->path()), pixels);
                if (!bundle.isNull()) {
                    return bundle;
                }
            }
            return themeImage(QStringLiteral("application-x-executable"),
                              QStringLiteral("arrow.down.app.fill"), pixels);
        }
        return themeImage(QStringLiteral("folder"), QStringLiteral("folder"), pixels);
    }
    if (file.endsWith(QStringLiteral(".app"))) {
        return themeImage(QStringLiteral("application-x-executable"),
                          QStringLiteral("arrow.down.app.fill"), pixels);
    }
    static const QMimeDatabase types;
    const QMimeType type = types.mimeTypeForFile(file);
    const QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (!icon.isNull()) {
        return icon.pixmap(pixels).toImage();
    }
    return fallbackImage(QStringLiteral("doc"), pixels);
}

} // namespace

QImage largestIcnsImage(const QByteArray& icns) {
    // Widest first by what each PNG header declares, so that only the image shown is decoded;
    // one that fails to decode gives way to the next.
    const std::string_view bytes(icns.constData(), static_cast<std::size_t>(icns.size()));
    for (const IcnsContainer::PngEntry& entry : IcnsContainer::pngEntries(bytes)) {
        const QImage image = QImage::fromData(
            icns.mid(static_cast<qsizetype>(entry.offset), static_cast<qsizetype>(entry.length)),
            "PNG");
        if (!image.isNull()) {
            return image;
        }
    }
    return {};
}

IconImageProvider::IconImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
    , images_(256) {}

QImage IconImageProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const QSize pixels(requestedSize.width() > 0 ? requestedSize.width() : defaultPixels,
                       requestedSize.height() > 0 ? requestedSize.height() : defaultPixels);
    const QString key = id + QLatin1Char('@') + QString::number(pixels.width()) + QLatin1Char('x') +
                        QString::number(pixels.height());
    {
        const std::lock_guard lock(mutex_);
        if (const QImage* known = images_.object(key)) {
            *size = known->size();
            return *known;
        }
    }
    QImage image = draw(id, pixels);
    if (image.isNull()) {
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    } else if (image.size() != pixels) {
        image = image.scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    *size = image.size();
    const std::lock_guard lock(mutex_);
    images_.insert(key, new QImage(image));
    return image;
}

QImage IconImageProvider::draw(const QString& id, const QSize& pixels) const {
    const auto query = id.indexOf(QLatin1Char('?'));
    const QString source = query < 0 ? id : id.left(query);
    const sorvane::Image icon = iconFromSource(source);
    if (!icon) {
        return {};
    }
    QImage image;
    switch (icon->kind) {
    case Icon::Kind::imageFile:
        image = loadImageFile(QString::fromStdString(icon->value), pixels);
        break;
    case Icon::Kind::fileIcon:
        image = fileIconImage(icon->value, pixels);
        break;
    case Icon::Kind::symbol:
        image = symbolImage(QString::fromStdString(icon->value), pixels);
        break;
    case Icon::Kind::stock:
        image = themeImage(QString::fromStdString(icon->value), QString::fromStdString(icon->value),
                           pixels);
        break;
    }
    if (query >= 0 && !image.isNull()) {
        const QColor color(QUrlQuery(id.mid(query + 1)).queryItemValue(QStringLiteral("color")));
        if (color.isValid()) {
            tint(image, color);
        }
    }
    return image;
}

} // namespace sorvane
