import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// The title band: the application's icon beside its name and what it does.
RowLayout {
    spacing: 16

    Image {
        Layout.preferredWidth: 128
        Layout.preferredHeight: 128
        source: "qrc:/sorvane/symbols/sorvane.svg"
        sourceSize: Qt.size(256, 256)
        fillMode: Image.PreserveAspectFit
        Accessible.ignored: true
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 8

        Label {
            text: ViewModels.text("TITLE")
            font: Fonts.headline
            color: Colors.text
            Accessible.role: Accessible.Heading
        }
        Label {
            Layout.fillWidth: true
            text: ViewModels.text("HEADER")
            font: Fonts.body
            color: Colors.secondaryText
            wrapMode: Text.WordWrap
        }
    }
}
