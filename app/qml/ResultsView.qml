import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// What the search found: categories that open into their items, the selection summary and the
// buttons that act on the selection. An empty state takes the list's place when nothing shows.
ColumnLayout {
    id: screen
    objectName: "resultsView"

    readonly property var model: ViewModels.main

    spacing: 8

    // Only what the categories searched before the stop found is listed.
    RowLayout {
        objectName: "searchStoppedNote"
        visible: screen.model.searchStopped
        Layout.fillWidth: true
        spacing: 8
        SymbolImage {
            Layout.preferredWidth: 16
            Layout.preferredHeight: 16
            symbol: "dialog-warning"
            color: Colors.secondaryText
        }
        Label {
            Layout.fillWidth: true
            text: ViewModels.text("SEARCH_STOPPED")
            font: Fonts.body
            color: Colors.text
            wrapMode: Text.WordWrap
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    EmptyStateView {
        objectName: "emptyState"
        visible: list.count === 0
        Layout.fillWidth: true
        Layout.fillHeight: true
        image: screen.model.isFiltering ? "qrc:/sorvane/symbols/magnifyingglass.circle.fill.svg"
                                        : "qrc:/sorvane/symbols/checkmark.circle.fill.svg"
        color: screen.model.isFiltering ? Colors.accent : Colors.green
        text: ViewModels.text(screen.model.isFiltering ? "NO_FILTER_RESULTS" : "NO_RESULTS")
    }

    ListView {
        id: list
        objectName: "resultList"
        visible: count > 0
        Layout.fillWidth: true
        Layout.fillHeight: true
        clip: true
        spacing: 4
        model: ViewModels.results
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }
        delegate: ResultRow {
            width: ListView.view.width - 16
        }
    }

    RowLayout {
        objectName: "bottomBar"
        visible: list.count > 0
        Layout.fillWidth: true
        Layout.margins: 8
        spacing: 8

        Label {
            objectName: "selectionInfo"
            text: screen.model.selectionInfo
            font: Fonts.headline
            color: Colors.secondaryText
        }

        Item { Layout.fillWidth: true }

        Button {
            objectName: "selectAllButton"
            text: ViewModels.text("SELECT_ALL")
            onClicked: screen.model.selectAll()
        }
        Button {
            objectName: "unselectAllButton"
            text: ViewModels.text("UNSELECT_ALL")
            onClicked: screen.model.unselectAll()
        }
        Button {
            id: deleteButton
            objectName: "deleteButton"
            text: ViewModels.text("DELETE_FILES")
            enabled: screen.model.hasSelection
            highlighted: true
            // The style draws a highlighted button in the palette's dark colour and its label
            // in the bright text colour.
            palette.dark: Colors.red
            palette.brightText: "#ffffff"
            opacity: enabled ? 1 : 0.45
            onClicked: screen.model.deleteSelection()
        }
    }
}
