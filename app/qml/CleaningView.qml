import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// Shown while the selection is being deleted.
Item {
    objectName: "cleaningView"

    ColumnLayout {
        anchors.centerIn: parent
        spacing: 12

        BusyIndicator {
            Layout.alignment: Qt.AlignHCenter
            running: true
        }
        Label {
            Layout.alignment: Qt.AlignHCenter
            text: ViewModels.text("CLEANING")
            font: Fonts.body
            color: Colors.text
        }
    }
}
