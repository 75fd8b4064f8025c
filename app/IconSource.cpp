#include "IconSource.h"

#include <QByteArray>

#include <array>

namespace sorvane {

namespace {

constexpr std::array<std::pair<Icon::Kind, const char*>, 4> kindNames{{
    {Icon::Kind::imageFile, "image"},
    {Icon::Kind::fileIcon, "file"},
    {Icon::Kind::symbol, "symbol"},
    {Icon::Kind::stock, "stock"},
}};

} // namespace

QString iconSource(const Image& icon) {
    if (!icon) {
        return {};
    }
    for (const auto& [kind, name] : kindNames) {
        if (kind == icon->kind) {
            const QByteArray value(icon->value.data(), static_cast<qsizetype>(icon->value.size()));
            return QString::fromLatin1(name) + QLatin1Char('/') +
                   QString::fromLatin1(value.toPercentEncoding());
        }
    }
    return {};
}

Image iconFromSource(const QString& source) {
    const auto slash = source.indexOf(QLatin1Char('/'));
    if (slash <= 0) {
        return nullptr;
    }
    const QString kindName = source.left(slash);
    for (const auto& [kind, name] : kindNames) {
        if (kindName == QLatin1String(name)) {
            const QByteArray value =
                QByteArray::fromPercentEncoding(source.mid(slash + 1).toUtf8());
            return makeImage(kind, value.toStdString());
        }
    }
    return nullptr;
}

} // namespace sorvane
