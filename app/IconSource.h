#pragma once

#include "platform/icons/Icon.h"

#include <QString>

namespace sorvane {

// How an icon is named to the window's image provider: "<kind>/<percent-encoded value>", so that
// any path, bytes included, survives the trip through an image URL.
QString iconSource(const Image& icon);
// The icon a source names; none for a malformed source.
Image iconFromSource(const QString& source);

} // namespace sorvane
