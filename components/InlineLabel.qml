import QtQuick

// A short text on a pale capsule of its own colour, such as a size beside a row.
Item {
    id: label

    property string text
    property color color: Colors.accent

    implicitWidth: content.implicitWidth
    implicitHeight: content.implicitHeight
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    Rectangle {
        objectName: "capsule"
        anchors.fill: parent
        radius: height / 2
        color: label.color
        opacity: 0.25
    }

    Text {
        id: content
        objectName: "text"
        anchors.centerIn: parent
        text: label.text
        color: label.color
        font: Fonts.headline
        topPadding: 3
        bottomPadding: 3
        leftPadding: 8
        rightPadding: 8
        Accessible.ignored: true
    }
}
