import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// The one window: the header, then the screen the application's state calls for.
ApplicationWindow {
    id: window
    objectName: "mainWindow"

    readonly property var model: ViewModels.main
    readonly property bool showingResults: model.isAuthenticated && !model.isSearching && !model.isCleaning
                                          && !model.isShowingSummary
    // The toolbar's own shade, a step away from the window's background.
    readonly property color toolbarColor: Colors.dark ? Qt.rgba(58 / 255, 44 / 255, 40 / 255, 1)
                                                      : Qt.rgba(242 / 255, 242 / 255, 244 / 255, 1)

    title: ViewModels.text("TITLE")
    minimumWidth: 620
    minimumHeight: 640
    width: 800
    height: 720
    visible: true
    color: Colors.windowBackground
    palette.window: Colors.windowBackground
    palette.windowText: Colors.text
    palette.base: Colors.dark ? Qt.rgba(58 / 255, 44 / 255, 40 / 255, 1) : "#ffffff"
    palette.text: Colors.text
    palette.button: Colors.dark ? Qt.rgba(74 / 255, 58 / 255, 53 / 255, 1) : Qt.rgba(236 / 255, 236 / 255, 238 / 255, 1)
    palette.buttonText: Colors.text
    palette.highlight: Colors.accent
    palette.highlightedText: "#ffffff"
    palette.placeholderText: Colors.secondaryText

    Binding {
        target: Colors
        property: "dark"
        value: ViewModels.darkScheme
    }

    Shortcut {
        sequence: StandardKey.Find
        enabled: window.showingResults
        onActivated: searchField.forceActiveFocus()
    }

    // Stops a search or a cleaning, as the screen's Stop button does.
    Shortcut {
        sequence: "Escape"
        enabled: window.model.isSearching || window.model.isCleaning
        onActivated: window.model.stop()
    }

    header: ToolBar {
        objectName: "toolbar"
        visible: window.showingResults
        background: Rectangle { color: window.toolbarColor }

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 12
            spacing: 8

            Label {
                text: ViewModels.text("LIST_STYLE")
                color: Colors.text
                font: Fonts.body
            }

            ComboBox {
                id: sortMenu
                objectName: "sortMenu"
                model: [ViewModels.text("SIZE"), ViewModels.text("NAME")]
                currentIndex: ViewModels.settings.sortBy
                onActivated: index => ViewModels.pickSortOrder(index)
                Accessible.name: ViewModels.text("LIST_STYLE")
            }

            Label {
                text: ViewModels.text("AGE_LIMIT")
                color: Colors.text
                font: Fonts.body
            }

            // Changing it searches again; it waits while a search or a cleaning runs.
            ComboBox {
                id: ageMenu
                objectName: "ageMenu"
                model: [ViewModels.text("ANY_AGE"), ViewModels.text("UNUSED_7_DAYS"),
                        ViewModels.text("UNUSED_30_DAYS"), ViewModels.text("UNUSED_90_DAYS")]
                currentIndex: ViewModels.settings.ageChoice
                enabled: !window.model.isSearching && !window.model.isCleaning
                onActivated: index => ViewModels.pickAgeLimit(index)
                Accessible.name: ViewModels.text("AGE_LIMIT")
            }

            Button {
                objectName: "keptButton"
                text: ViewModels.text("KEPT")
                onClicked: keptPanel.open()
            }

            Button {
                objectName: "scheduleButton"
                text: ViewModels.text("CLEAN_AUTOMATICALLY")
                onClicked: scheduleDialog.open()
            }

            Item { Layout.fillWidth: true }

            // Keeps its text across screens; every edit filters the results.
            TextField {
                id: searchField
                objectName: "searchField"
                Layout.preferredWidth: 220
                placeholderText: ViewModels.text("SEARCH")
                onTextEdited: window.model.filter(text)
                Accessible.name: ViewModels.text("SEARCH")
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 16

        HeaderView {
            Layout.fillWidth: true
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Colors.secondaryText
            opacity: 0.35
        }

        Loader {
            objectName: "screen"
            Layout.fillWidth: true
            Layout.fillHeight: true
            sourceComponent: !window.model.isAuthenticated ? permissionsScreen
                           : window.model.isSearching ? searchingScreen
                           : window.model.isCleaning ? cleaningScreen
                           : window.model.isShowingSummary ? summaryScreen
                           : resultsScreen
        }
    }

    ScheduleDialog {
        id: scheduleDialog
    }

    KeptPanel {
        id: keptPanel
    }

    // A failure the user must hear of, above whatever else is open.
    Dialog {
        objectName: "alert"
        parent: Overlay.overlay
        anchors.centerIn: parent
        z: 1
        modal: true
        title: window.model.alertTitle
        standardButtons: Dialog.Ok
        visible: window.model.alertTitle.length > 0
        onClosed: window.model.dismissAlert()

        Label {
            width: 360
            text: window.model.alertText
            wrapMode: Text.WordWrap
        }
    }

    Component {
        id: permissionsScreen
        PermissionsView {}
    }
    Component {
        id: searchingScreen
        SearchingView {
            text: window.model.searchCategory
            progress: window.model.progress
        }
    }
    Component {
        id: cleaningScreen
        CleaningView {}
    }
    Component {
        id: summaryScreen
        CleaningSummaryView {}
    }
    Component {
        id: resultsScreen
        ResultsView {}
    }
}
