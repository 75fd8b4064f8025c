import QtQuick
import QtQuick.Controls.impl

// What a list shows when it has nothing to list: a large image over a bold title. `text` is shown
// as given, so the screen passes the text it looked up in its own string table.
Item {
    id: view

    property url image
    property string text
    property real imageWidth: 96
    property real imageHeight: 96
    // The image's tint; left transparent, the image keeps its own colours.
    property color color: "transparent"
    property real padding: 16

    implicitWidth: column.implicitWidth
    implicitHeight: column.implicitHeight

    Column {
        id: column
        anchors.centerIn: parent
        spacing: 16

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            implicitWidth: view.imageWidth + 2 * view.padding
            implicitHeight: view.imageHeight + 2 * view.padding

            IconImage {
                objectName: "image"
                x: view.padding
                y: view.padding
                width: view.imageWidth
                height: view.imageHeight
                sourceSize: Qt.size(width, height)
                fillMode: Image.Stretch
                source: view.image
                color: view.color
                Accessible.ignored: true
            }
        }

        Text {
            objectName: "text"
            anchors.horizontalCenter: parent.horizontalCenter
            text: view.text
            font: Fonts.title2Bold
            color: Colors.secondaryText
            padding: view.padding
            horizontalAlignment: Text.AlignHCenter
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
