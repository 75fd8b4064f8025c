import QtQuick
import QtQuick.Controls.impl

// One of the project's monochrome symbols, tinted with `color` (left transparent, drawn black).
IconImage {
    property string symbol

    source: symbol.length > 0 ? "qrc:/sorvane/symbols/" + symbol + ".svg" : ""
    sourceSize: Qt.size(width, height)
    fillMode: Image.PreserveAspectFit
    Accessible.ignored: true
}
