import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Sorvane.Components
import Sorvane.App

// Clean Automatically: the categories the desktop's timer cleans on its own, how often and from
// what age on, with when it runs next and how the newest cleaning ended. The choices are only
// written when the user confirms them.
Dialog {
    id: dialog
    objectName: "scheduleDialog"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent.width - 64, 560)
    height: Math.min(parent.height - 64, 600)
    modal: true
    title: ViewModels.text("CLEAN_AUTOMATICALLY")
    onOpened: ViewModels.schedule.load()

    footer: DialogButtonBox {
        Button {
            objectName: "scheduleTurnOffButton"
            text: ViewModels.text("SCHEDULE_TURN_OFF")
            enabled: ViewModels.schedule.scheduled && !ViewModels.schedule.busy
            onClicked: ViewModels.schedule.turnOff()
        }
        Button {
            objectName: "scheduleConfirmButton"
            text: ViewModels.text("SCHEDULE_CONFIRM")
            enabled: ViewModels.schedule.canConfirm && !ViewModels.schedule.busy
            onClicked: ViewModels.schedule.confirm()
        }
        Button {
            objectName: "scheduleCloseButton"
            text: ViewModels.text("CLOSE")
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 10

        Label {
            Layout.fillWidth: true
            text: ViewModels.text("SCHEDULE_INFO")
            font: Fonts.body
            color: Colors.secondaryText
            wrapMode: Text.WordWrap
        }

        ListView {
            objectName: "scheduleCategories"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: ViewModels.schedule
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            delegate: CheckBox {
                required property int index
                required property string name
                required property bool chosen

                objectName: "scheduleCategory" + index
                width: ListView.view.width - 16
                text: name
                checked: chosen
                onToggled: ViewModels.schedule.setChecked(index, checked)
            }
        }

        RowLayout {
            spacing: 8
            Label {
                text: ViewModels.text("SCHEDULE_EVERY")
                font: Fonts.body
                color: Colors.text
            }
            ComboBox {
                objectName: "scheduleFrequency"
                model: [ViewModels.text("DAILY"), ViewModels.text("WEEKLY"), ViewModels.text("MONTHLY")]
                currentIndex: ViewModels.schedule.frequency
                onActivated: index => ViewModels.schedule.frequency = index
                Accessible.name: ViewModels.text("SCHEDULE_EVERY")
            }
        }

        RowLayout {
            spacing: 8
            Label {
                text: ViewModels.text("SCHEDULE_OLDER_THAN")
                font: Fonts.body
                color: Colors.text
            }
            SpinBox {
                objectName: "scheduleOlderThan"
                from: 0
                to: 3650
                editable: true
                value: ViewModels.schedule.olderThanDays
                onValueModified: ViewModels.schedule.olderThanDays = value
                Accessible.name: ViewModels.text("SCHEDULE_OLDER_THAN")
            }
        }

        Label {
            objectName: "scheduleNextRun"
            visible: ViewModels.schedule.scheduled
            text: ViewModels.text("SCHEDULE_NEXT").arg(ViewModels.schedule.nextRun)
            font: Fonts.body
            color: Colors.text
        }
        Label {
            objectName: "scheduleLastRun"
            text: ViewModels.schedule.lastRun
            font: Fonts.body
            color: Colors.text
        }
        Label {
            objectName: "scheduleStatus"
            Layout.fillWidth: true
            visible: text !== ""
            text: ViewModels.schedule.status
            font: Fonts.body
            color: Colors.accent
            wrapMode: Text.WordWrap
        }
    }
}
