import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// What the last cleaning did: the space freed, the items cleaned and every location that stayed
// with its reason. The next search starts from here, and only from here.
ColumnLayout {
    id: view
    objectName: "summaryView"

    readonly property var summary: ViewModels.main.summary

    spacing: 8

    Label {
        objectName: "summaryTitle"
        text: view.summary.title
        font: Fonts.title2Bold
        color: Colors.text
        Accessible.role: Accessible.Heading
    }
    Label {
        objectName: "summaryFreed"
        text: view.summary.freedText
        font: Fonts.title2
        color: Colors.green
        activeFocusOnTab: true
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    Repeater {
        model: view.summary.freedByFileSystem
        Label {
            required property string modelData
            text: modelData
            font: Fonts.body
            color: Colors.secondaryText
        }
    }
    Label {
        objectName: "summaryCleaned"
        text: view.summary.cleanedText
        font: Fonts.body
        color: Colors.text
        activeFocusOnTab: true
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    Label {
        visible: text.length > 0
        text: view.summary.remainingText
        font: Fonts.headline
        color: Colors.text
        Layout.topMargin: 8
    }

    ListView {
        id: remaining
        objectName: "remainingList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        clip: true
        spacing: 6
        model: view.summary
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        delegate: RowLayout {
            id: entry
            objectName: "remaining" + index
            required property int index
            required property string path
            required property string reasonText
            required property string message
            required property string description
            width: ListView.view.width - 16
            spacing: 8

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    Layout.fillWidth: true
                    text: entry.path
                    font: Fonts.headline
                    color: Colors.text
                    elide: Text.ElideMiddle
                }
                Label {
                    objectName: "reasonText"
                    Layout.fillWidth: true
                    text: entry.reasonText
                    font: Fonts.body
                    color: Colors.red
                    wrapMode: Text.WordWrap
                }
                Label {
                    Layout.fillWidth: true
                    visible: entry.message.length > 0
                    text: entry.message
                    font: Fonts.subheadline
                    color: Colors.secondaryText
                    elide: Text.ElideMiddle
                }
            }
            ToolButton {
                id: reveal
                objectName: "revealButton"
                Layout.preferredWidth: 24
                Layout.preferredHeight: 24
                padding: 2
                activeFocusOnTab: true
                onClicked: view.summary.reveal(entry.index)
                Accessible.name: ViewModels.text("REVEAL_LOCATION").arg(entry.path)
                Accessible.description: entry.description
                contentItem: SymbolImage {
                    symbol: "arrow.forward.circle.fill"
                    color: Colors.secondaryText
                    width: 16
                    height: 16
                }
                background: Rectangle {
                    radius: 12
                    color: "transparent"
                    border.width: reveal.activeFocus ? 2 : 0
                    border.color: Colors.accent
                }
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        Button {
            objectName: "historyButton"
            text: ViewModels.text("SUMMARY_HISTORY")
            flat: true
            activeFocusOnTab: true
            onClicked: view.summary.revealHistory()
            Accessible.name: text
            Accessible.description: ViewModels.text("SUMMARY_HISTORY_DESCRIPTION").arg(view.summary.historyPath)
        }
        Label {
            objectName: "historyPath"
            Layout.fillWidth: true
            text: view.summary.historyPath
            font: Fonts.subheadline
            color: Colors.secondaryText
            elide: Text.ElideMiddle
        }
        Button {
            objectName: "searchAgainButton"
            text: ViewModels.text("SEARCH_AGAIN")
            highlighted: true
            // The style draws a highlighted button in the palette's dark colour and its label in
            // the bright text colour.
            palette.dark: Colors.accent
            palette.brightText: "#ffffff"
            focus: true
            activeFocusOnTab: true
            onClicked: ViewModels.main.searchAgain()
            Accessible.name: text
        }
    }
}
