import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// The category being searched and how far the search has come, with the button that stops it.
Item {
    id: view
    objectName: "searchingView"

    property string text
    property real progress

    ColumnLayout {
        anchors.centerIn: parent
        spacing: 16

        Label {
            Layout.alignment: Qt.AlignHCenter
            text: view.text
            font: Fonts.headline
            color: Colors.text
        }
        ProgressBar {
            Layout.preferredWidth: 384
            from: 0
            to: 1
            // The style fills in the palette's dark colour over its midlight track.
            palette.dark: Colors.accent
            palette.midlight: Colors.dark ? Colors.lineDark : Qt.rgba(0, 0, 0, 0.1)
            value: view.progress
        }
        Button {
            objectName: "stopButton"
            Layout.alignment: Qt.AlignHCenter
            text: ViewModels.text("STOP")
            focus: true
            activeFocusOnTab: true
            onClicked: ViewModels.main.stop()
            Accessible.name: ViewModels.text("STOP")
            Accessible.description: ViewModels.text("STOP_SEARCH_DESCRIPTION")
            Accessible.onPressAction: ViewModels.main.stop()
        }
    }
}
