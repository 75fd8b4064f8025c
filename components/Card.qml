import QtQuick

// A rounded background for a group of controls, in one of the CardStyle looks. Children placed
// inside a Card are drawn above it.
Item {
    id: card

    property int style: CardStyle.Default
    property bool dark: Colors.dark
    // The outline of the Line style in each scheme; left undefined, the library's line colours.
    property var lightColor
    property var darkColor
    // Backing scale of the main screen; a line is two device pixels wide, and without a screen a
    // device pixel counts as one point.
    property real screenScale: Qt.application.screens.length > 0
                               ? Qt.application.screens[0].devicePixelRatio : 1

    readonly property real radius: 8
    readonly property color fillColor: {
        if (style === CardStyle.Line)
            return "transparent"
        if (dark)
            return Colors.cardDarkFill
        return style === CardStyle.Shadows ? "#ffffff" : Colors.cardLightFill
    }
    readonly property real lineWidth: style === CardStyle.Line ? 2 / screenScale : 0
    readonly property color lineColor: {
        if (dark)
            return darkColor !== undefined && darkColor !== null ? darkColor : Colors.lineDark
        return lightColor !== undefined && lightColor !== null ? lightColor : Colors.lineLight
    }
    readonly property bool castsShadow: style === CardStyle.Shadows && !dark

    // A soft grey shadow four points wide: stacked rings fade out away from the edge, which the
    // software renderer draws as well as the hardware one.
    Repeater {
        model: card.castsShadow ? 4 : 0

        Rectangle {
            required property int index

            anchors.fill: parent
            anchors.margins: -(index + 1)
            radius: card.radius + index + 1
            color: Qt.rgba(Colors.shadow.r, Colors.shadow.g, Colors.shadow.b, 0.12)
        }
    }

    Rectangle {
        objectName: "cardShape"
        anchors.fill: parent
        radius: card.radius
        color: card.fillColor
        border.width: card.lineWidth
        border.color: card.lineColor
    }
}
