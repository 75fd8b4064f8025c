import QtQuick
import QtTest
import Sorvane.Components

TestCase {
    id: test
    name: "CollapsibleGroup"
    width: 400
    height: 300
    when: windowShown
    visible: true

    property int buttonClicks: 0

    Component {
        id: groupComponent

        CollapsibleGroup {
            width: 300
            spacing: 12
            leading: 40
            trailing: 40
            accessibleName: "User cache, 12 MB"
            content: Row {
                spacing: 8

                Rectangle {
                    objectName: "button"
                    width: 20
                    height: 20
                    color: "gray"

                    MouseArea {
                        anchors.fill: parent
                        onClicked: test.buttonClicks++
                    }
                }

                Text {
                    text: "User cache"
                }
            }
            expandedView: Rectangle {
                objectName: "items"
                height: 50
                color: "steelblue"
            }
        }
    }

    function init() {
        buttonClicks = 0
    }

    function makeGroup() {
        const group = createTemporaryObject(groupComponent, test)
        waitForRendering(group)
        return group
    }

    function test_startsCollapsed() {
        const group = makeGroup()
        const header = findChild(group, "header")
        verify(!group.expanded)
        compare(findChild(group, "chevron").rotation, 0)
        compare(findChild(group, "body").item, null)
        compare(group.height, header.height)
        verify(header.height >= 20)
        verify(group.clip)
    }

    function test_tapOpensAndCloses() {
        const group = makeGroup()
        const header = findChild(group, "header")
        const chevron = findChild(group, "chevron")
        mouseClick(header, 100, header.height / 2)
        verify(group.expanded)
        tryCompare(chevron, "rotation", 90)
        tryCompare(group, "height", header.height + 12 + 50)
        const items = findChild(group, "body").item
        compare(items.objectName, "items")
        compare(items.mapToItem(group, 0, 0).x, 40)
        compare(items.width, 300 - 40 - 40)
        compare(items.mapToItem(group, 0, 0).y, header.height + 12)

        // Anywhere on the header: next to the chevron this time.
        mouseClick(header, header.width - 30, header.height / 2)
        verify(!group.expanded)
        tryCompare(chevron, "rotation", 0)
        tryCompare(group, "height", header.height)
        tryCompare(findChild(group, "body"), "item", null)
    }

    function test_bodyTapsDoNotClose() {
        const group = makeGroup()
        group.expanded = true
        tryCompare(group, "height", findChild(group, "header").height + 12 + 50)
        const items = findChild(group, "body").item
        mouseClick(items, 10, 10)
        verify(group.expanded)
    }

    function test_headerControlsKeepTheirClicks() {
        const group = makeGroup()
        mouseClick(findChild(group, "button"), 10, 10)
        compare(buttonClicks, 1)
        verify(!group.expanded)
    }

    function test_keyboard() {
        const group = makeGroup()
        const header = findChild(group, "header")
        verify(header.activeFocusOnTab)
        header.forceActiveFocus()
        verify(header.activeFocus)
        keyClick(Qt.Key_Space)
        verify(group.expanded)
        tryCompare(findChild(group, "chevron"), "rotation", 90)
        keyClick(Qt.Key_Return)
        verify(!group.expanded)
        keyClick(Qt.Key_Enter)
        verify(group.expanded)
    }

    function test_accessibility() {
        const group = makeGroup()
        const header = findChild(group, "header")
        compare(header.Accessible.role, Accessible.Button)
        compare(header.Accessible.name, "User cache, 12 MB")
        verify(header.Accessible.checkable)
        verify(!header.Accessible.checked)
        group.toggle()
        verify(header.Accessible.checked)
    }

    function test_optionalPaddings() {
        const group = createTemporaryObject(groupComponent, test,
                                            { leading: 0, trailing: 0, spacing: 0 })
        group.expanded = true
        tryCompare(group, "height", findChild(group, "header").height + 50)
        const items = findChild(group, "body").item
        compare(items.mapToItem(group, 0, 0).x, 0)
        compare(items.width, 300)
    }

    function test_chevronTint() {
        const group = makeGroup()
        compare(findChild(group, "chevron").color, Colors.accent)
        group.chevronColor = "#ff0000"
        compare(findChild(group, "chevron").color, Qt.color("#ff0000"))
    }
}
