import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// One row of the results list: a category, which opens and closes, or one of its items. Its
// actions open on a right-click, the Menu key, Shift+F10 or the row's actions button.
Item {
    id: row
    objectName: "row" + index

    required property int index
    required property string name
    required property string sizeText
    required property int checkState
    required property bool isCategory
    required property bool isExpanded
    required property bool isAppRunning
    required property string icon
    required property string path
    required property int itemCount

    implicitHeight: content.implicitHeight

    function showActions(under) {
        actions.popup(under, 0, under.height)
    }

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: eventPoint => actions.popup(row, eventPoint.position.x, eventPoint.position.y)
    }

    Keys.onPressed: event => {
        if (event.key === Qt.Key_Menu
                || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))) {
            row.showActions(row)
            event.accepted = true
        }
    }

    Menu {
        id: actions
        objectName: "rowActions"
        MenuItem {
            objectName: "keepAction"
            text: ViewModels.text("KEEP")
            onTriggered: ViewModels.results.keep(row.index)
        }
    }

    // A row builds only what its kind shows: delegates are made and dropped while scrolling.
    Loader {
        id: content
        width: row.width
        sourceComponent: row.isCategory ? categoryRow : itemRow
    }

    // Categories: the whole row opens and closes the category's items below it.
    Component {
        id: categoryRow
        CollapsibleGroup {
            objectName: "categoryGroup"
            width: row.width
            spacing: 0
            leading: 40
            trailing: 40
            expanded: row.isExpanded
            accessibleName: row.name
            content: RowContent { owner: row }
            onExpandedChanged: {
                if (expanded !== row.isExpanded)
                    ViewModels.results.toggleExpanded(row.index)
            }
        }
    }

    Component {
        id: itemRow
        Item {
            objectName: "itemContent"
            width: row.width
            implicitHeight: itemContent.implicitHeight
            RowContent {
                id: itemContent
                owner: row
                x: 40
                width: row.width - 80
            }
        }
    }

    component RowContent: RowLayout {
        required property Item owner
        spacing: 8

        // A real check box, so that screen readers announce its role and its three states; the
        // results decide its state, so a click asks them rather than flipping it here.
        CheckBox {
            id: checkBox
            objectName: "checkBox"
            Layout.preferredWidth: 24
            Layout.preferredHeight: 24
            padding: 0
            spacing: 0
            focusPolicy: Qt.StrongFocus
            activeFocusOnTab: true
            tristate: true
            checkState: owner.checkState
            nextCheckState: function() { return owner.checkState }
            onClicked: ViewModels.results.toggleChecked(owner.index)
            Accessible.role: Accessible.CheckBox
            Accessible.checkable: true
            Accessible.checked: owner.checkState === Qt.Checked
            Accessible.checkStateMixed: owner.checkState === Qt.PartiallyChecked
            Accessible.name: ViewModels.rowName(owner.name, owner.sizeText)
            contentItem: Item {}
            indicator: SymbolImage {
                x: (checkBox.width - width) / 2
                y: (checkBox.height - height) / 2
                symbol: owner.checkState === Qt.Checked ? "checkmark.circle.fill"
                      : owner.checkState === Qt.PartiallyChecked ? "minus.circle.fill" : "circle"
                color: Colors.accent
                width: 16
                height: 16
            }
            background: Rectangle {
                radius: 12
                color: "transparent"
                border.width: checkBox.activeFocus ? 2 : 0
                border.color: Colors.accent
            }
        }

        Image {
            visible: owner.icon.length > 0
            Layout.preferredWidth: 40
            Layout.preferredHeight: 40
            source: owner.icon.length > 0 ? "image://sorvane/" + owner.icon : ""
            sourceSize: Qt.size(80, 80)
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            Accessible.ignored: true
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 4

            Label {
                Layout.fillWidth: true
                text: owner.name
                font: Fonts.headline
                color: Colors.text
                elide: Text.ElideRight
            }

            Loader {
                active: owner.isCategory
                visible: active
                sourceComponent: runningState
            }

            Loader {
                active: !owner.isCategory && owner.path.length > 0
                visible: active
                Layout.fillWidth: true
                sourceComponent: location
            }
        }

        InlineLabel {
            text: owner.sizeText
            color: Colors.accent
        }

        ToolButton {
            id: actionsButton
            objectName: "actionsButton"
            Layout.preferredWidth: 24
            Layout.preferredHeight: 24
            padding: 0
            focusPolicy: Qt.StrongFocus
            onClicked: owner.showActions(actionsButton)
            Accessible.role: Accessible.ButtonMenu
            Accessible.name: ViewModels.text("ROW_ACTIONS").arg(owner.name)
            contentItem: Label {
                text: "\u22ef"
                color: Colors.secondaryText
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            background: Rectangle {
                radius: 12
                color: actionsButton.down ? Colors.secondaryText : "transparent"
                opacity: actionsButton.down ? 0.3 : 1
                border.width: actionsButton.activeFocus ? 2 : 0
                border.color: Colors.accent
            }
        }

        Component {
            id: runningState
            RowLayout {
                spacing: 8
                SymbolImage {
                    Layout.preferredWidth: 8
                    Layout.preferredHeight: 8
                    symbol: "circle.fill"
                    color: owner.isAppRunning ? Colors.red : Colors.green
                }
                Label {
                    text: ViewModels.text(owner.isAppRunning ? "APP_RUNNING" : "APP_NOT_RUNNING")
                    font: Fonts.subheadline
                    color: Colors.secondaryText
                }
            }
        }

        Component {
            id: location
            RowLayout {
                spacing: 4
                Label {
                    Layout.fillWidth: true
                    text: owner.path
                    font: Fonts.subheadline
                    color: Colors.secondaryText
                    elide: Text.ElideMiddle
                }
                ToolButton {
                    objectName: "revealButton"
                    Layout.preferredWidth: 20
                    Layout.preferredHeight: 20
                    padding: 2
                    onClicked: ViewModels.results.reveal(owner.index)
                    Accessible.name: ViewModels.text("REVEAL")
                    contentItem: SymbolImage {
                        symbol: "arrow.forward.circle.fill"
                        color: Colors.secondaryText
                        width: 12
                        height: 12
                    }
                }
            }
        }
    }
}
