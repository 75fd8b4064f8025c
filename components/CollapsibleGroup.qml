import QtQuick

// A header row that opens and closes the view below it. The header is one large button: a tap
// anywhere on it, or Space or Enter while it has focus, toggles the group. Controls inside the
// header take their own clicks first.
Item {
    id: group

    property bool expanded: false
    property Component content
    property Component expandedView
    property real spacing: 8
    property real leading: 0
    property real trailing: 0
    property color chevronColor: Colors.accent
    // What a screen reader says for the header, for example the row's name and size.
    property string accessibleName

    // 0 while closed, 1 while open; both the chevron and the opening body follow it.
    property real openness: expanded ? 1 : 0
    Behavior on openness {
        NumberAnimation { duration: 200; easing.type: Easing.InOutQuad }
    }

    function toggle() { expanded = !expanded }

    implicitWidth: Math.max(header.implicitWidth, leading + body.implicitWidth + trailing)
    implicitHeight: header.height + openness * (spacing + body.height)
    clip: true

    FocusScope {
        id: header
        objectName: "header"
        width: group.width
        height: Math.max(headerContent.height, chevron.height)
        implicitWidth: headerContent.implicitWidth + 8 + chevron.width
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: group.accessibleName
        Accessible.checkable: true
        Accessible.checked: group.expanded
        Accessible.focusable: true
        Accessible.onPressAction: group.toggle()
        Accessible.onToggleAction: group.toggle()
        Keys.onSpacePressed: group.toggle()
        Keys.onReturnPressed: group.toggle()
        Keys.onEnterPressed: group.toggle()

        MouseArea {
            anchors.fill: parent
            onClicked: group.toggle()
        }

        Loader {
            id: headerContent
            anchors.left: parent.left
            anchors.right: chevron.left
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            sourceComponent: group.content
        }

        SymbolImage {
            id: chevron
            objectName: "chevron"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            symbol: "chevron"
            color: group.chevronColor
            rotation: 90 * group.openness
        }

        Rectangle {
            anchors.fill: parent
            visible: header.activeFocus
            color: "transparent"
            radius: 4
            border.width: 2
            border.color: group.chevronColor
        }
    }

    Loader {
        id: body
        objectName: "body"
        x: group.leading
        y: header.height + group.spacing
        width: group.width - group.leading - group.trailing
        // Built on opening and kept while the closing animation runs.
        active: group.expanded || group.openness > 0
        sourceComponent: group.expandedView
    }
}
