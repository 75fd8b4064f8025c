#pragma once

#include <QCache>
#include <QImage>
#include <QQuickImageProvider>

#include <mutex>

namespace sorvane {

// Draws every kind of icon the core describes, for "image://sorvane/<source>" (see IconSource.h):
// bundle icon files (.icns, PNG, SVG), the desktop theme's icons for folders, applications and
// file types, and the project's own symbols. "?color=#rrggbb" tints monochrome symbols. Drawn
// images are kept per source and size.
class IconImageProvider : public QQuickImageProvider {
public:
    IconImageProvider();

    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

private:
    QImage draw(const QString& source, const QSize& pixels) const;

    std::mutex mutex_; // the scene graph may ask from its loader threads
    QCache<QString, QImage> images_;
};

// The largest PNG image stored in an .icns container, as bundles on every current system have.
QImage largestIcnsImage(const QByteArray& icns);

} // namespace sorvane
