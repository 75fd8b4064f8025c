import QtQuick
import QtQuick.Layouts
import Sorvane.App

// The two folders to grant, the Library folder first.
ColumnLayout {
    objectName: "permissionsView"
    spacing: 16

    Item { Layout.fillHeight: true }

    GrantPermissionView {
        objectName: "libraryRow"
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        title: "LIBRARY"
        description: "LIBRARY_INFO"
        permission: ViewModels.main.permissions.library
    }

    GrantPermissionView {
        objectName: "userRow"
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        title: "USER"
        description: "USER_INFO"
        permission: ViewModels.main.permissions.user
    }

    Item { Layout.fillHeight: true }
}
