import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// Shown while the selection is being deleted: the location being removed, how many items and
// bytes are done, and the button that stops the cleaning. It draws the engine's latest report.
Item {
    id: view
    objectName: "cleaningView"

    readonly property var progress: ViewModels.main.cleaning

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(parent.width, 480)
        spacing: 12

        Label {
            Layout.alignment: Qt.AlignHCenter
            text: ViewModels.text("CLEANING")
            font: Fonts.title2Bold
            color: Colors.text
            Accessible.role: Accessible.Heading
        }
        Label {
            objectName: "cleaningLocation"
            Layout.fillWidth: true
            text: view.progress.location
            font: Fonts.subheadline
            color: Colors.secondaryText
            elide: Text.ElideMiddle
            horizontalAlignment: Text.AlignHCenter
        }
        ProgressBar {
            objectName: "cleaningProgress"
            Layout.fillWidth: true
            from: 0
            to: 1
            // The style fills in the palette's dark colour over its midlight track.
            palette.dark: Colors.accent
            palette.midlight: Colors.dark ? Colors.lineDark : Qt.rgba(0, 0, 0, 0.1)
            value: view.progress.fraction
            Accessible.name: view.progress.itemsText
        }
        RowLayout {
            Layout.fillWidth: true
            Label {
                objectName: "cleaningItems"
                text: view.progress.itemsText
                font: Fonts.body
                color: Colors.text
            }
            Item { Layout.fillWidth: true }
            Label {
                objectName: "cleaningBytes"
                text: view.progress.bytesText
                font: Fonts.body
                color: Colors.text
            }
        }
        Button {
            objectName: "stopButton"
            Layout.alignment: Qt.AlignHCenter
            text: ViewModels.text("STOP")
            focus: true
            activeFocusOnTab: true
            onClicked: ViewModels.main.stop()
            Accessible.name: ViewModels.text("STOP")
            Accessible.description: ViewModels.text("STOP_CLEANING_DESCRIPTION")
            Accessible.onPressAction: ViewModels.main.stop()
        }
    }
}
