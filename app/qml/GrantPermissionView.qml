import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// One folder to grant: its icon and purpose, then a grant button or, once granted, a check mark.
Item {
    id: row

    required property string title
    required property string description
    required property var permission

    implicitHeight: content.implicitHeight

    Card {
        anchors.fill: parent
        style: CardStyle.Default
    }

    RowLayout {
        id: content
        anchors.fill: parent
        spacing: 8

        Image {
            Layout.preferredWidth: 64
            Layout.preferredHeight: 64
            Layout.margins: 8
            source: ViewModels.fileIcon(row.permission.path)
            sourceSize: Qt.size(128, 128)
            fillMode: Image.PreserveAspectFit
            Accessible.ignored: true
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 8
            Layout.bottomMargin: 8
            spacing: 8

            Label {
                text: ViewModels.text(row.title)
                font: Fonts.headline
                color: Colors.text
            }
            Label {
                Layout.fillWidth: true
                text: ViewModels.text(row.description)
                font: Fonts.body
                color: Colors.secondaryText
                wrapMode: Text.WordWrap
            }
        }

        SymbolImage {
            objectName: "grantedMark"
            visible: row.permission.isAuthenticated
            Layout.preferredWidth: 24
            Layout.preferredHeight: 24
            Layout.margins: 8
            symbol: "checkmark.circle.fill"
            color: Colors.green
        }

        Button {
            objectName: "grantButton"
            visible: !row.permission.isAuthenticated
            Layout.margins: 8
            text: ViewModels.text("GRANT_PERMISSION")
            highlighted: true
            palette.dark: Colors.accent
            palette.brightText: "#ffffff"
            onClicked: chooser.open()
            Accessible.name: ViewModels.text("GRANT_PERMISSION") + ", " + ViewModels.text(row.title)
        }
    }

    FolderDialog {
        id: chooser
        objectName: "folderChooser"
        currentFolder: ViewModels.folderUrl(row.permission.path)
        acceptLabel: ViewModels.text("PROMPT")
        onAccepted: ViewModels.chooseFolder(row.permission, [selectedFolder])
    }

    Dialog {
        id: wrongFolder
        objectName: "wrongFolderAlert"
        parent: Overlay.overlay
        anchors.centerIn: parent
        modal: true
        title: ViewModels.text("WRONG_DIRECTORY_CHOSEN")
        standardButtons: Dialog.Ok
        visible: row.permission.showingAlert
        onClosed: row.permission.showingAlert = false

        Label {
            width: 360
            text: ViewModels.text("WRONG_DIRECTORY_CHOSEN_INFO")
            wrapMode: Text.WordWrap
        }
    }
}
