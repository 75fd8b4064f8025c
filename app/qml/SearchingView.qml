import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components

// The category being searched and how far the search has come.
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
            value: view.progress
        }
    }
}
