import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// The keep list: what is never offered, counted or deleted, each entry with what it holds now.
// The user's entries can be removed; the built-in ones say why they stay. Opening reads the
// list afresh; closing after a removal searches again.
Dialog {
    id: panel
    objectName: "keptPanel"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent.width - 64, 640)
    height: Math.min(parent.height - 64, 520)
    modal: true
    title: ViewModels.text("KEPT")
    onOpened: ViewModels.kept.reload()
    onClosed: ViewModels.kept.close()

    footer: DialogButtonBox {
        Button {
            objectName: "keptCloseButton"
            text: ViewModels.text("CLOSE")
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        Label {
            Layout.fillWidth: true
            text: ViewModels.text("KEPT_INFO")
            font: Fonts.body
            color: Colors.secondaryText
            wrapMode: Text.WordWrap
        }

        Label {
            objectName: "keptEmpty"
            visible: entries.count === 0
            Layout.fillWidth: true
            text: ViewModels.text("KEPT_EMPTY")
            font: Fonts.body
            color: Colors.text
            wrapMode: Text.WordWrap
        }

        ListView {
            id: entries
            objectName: "keptList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 12
            model: ViewModels.kept
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            delegate: RowLayout {
                id: entryRow
                objectName: "kept" + index

                required property int index
                required property string entry
                required property bool isBuiltIn
                required property string reason
                required property string holdings

                width: ListView.view.width - 16
                spacing: 8

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2

                    Label {
                        Layout.fillWidth: true
                        text: entryRow.entry
                        font: Fonts.headline
                        color: Colors.text
                        elide: Text.ElideMiddle
                    }
                    Label {
                        objectName: "holdings"
                        text: entryRow.holdings
                        font: Fonts.subheadline
                        color: Colors.accent
                    }
                    Label {
                        visible: entryRow.isBuiltIn
                        Layout.fillWidth: true
                        text: ViewModels.text("BUILT_IN").arg(entryRow.reason)
                        font: Fonts.subheadline
                        color: Colors.secondaryText
                        wrapMode: Text.WordWrap
                    }
                }

                Button {
                    objectName: "removeButton"
                    visible: !entryRow.isBuiltIn
                    text: ViewModels.text("REMOVE")
                    onClicked: ViewModels.kept.remove(entryRow.index)
                    Accessible.name: ViewModels.text("REMOVE") + ", " + entryRow.entry
                }
            }
        }
    }
}
