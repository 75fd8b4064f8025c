import QtQuick
import QtTest
import Sorvane.Components

TestCase {
    id: test
    name: "InlineLabel"
    width: 200
    height: 80
    when: windowShown
    visible: true

    Component {
        id: labelComponent

        Rectangle {
            property alias label: label
            width: 200
            height: 80
            color: "white"

            InlineLabel {
                id: label
                x: 10
                y: 10
                text: "12.4 MB"
                color: "#ff0000"
            }
        }
    }

    function test_paddingAndCapsule() {
        const scene = createTemporaryObject(labelComponent, test)
        const label = scene.label
        const text = findChild(label, "text")
        const capsule = findChild(label, "capsule")
        compare(text.text, "12.4 MB")
        verify(text.contentWidth > 0)
        compare(label.width, text.contentWidth + 16)
        compare(label.height, text.contentHeight + 6)
        compare(text.x, 0)
        compare(text.leftPadding, 8)
        compare(text.topPadding, 3)
        compare(capsule.width, label.width)
        compare(capsule.height, label.height)
        compare(capsule.radius, label.height / 2)
        compare(capsule.opacity, 0.25)
        verify(Qt.colorEqual(capsule.color, "#ff0000"))
        verify(Qt.colorEqual(text.color, "#ff0000"))
        compare(text.font.bold, true)
    }

    function test_palePill() {
        const scene = createTemporaryObject(labelComponent, test)
        waitForRendering(scene)
        const label = scene.label
        const image = grabImage(scene)
        // Inside the padding: red at a quarter over white.
        const pill = image.pixel(label.x + label.width / 2, label.y + 1)
        verify(Math.abs(pill.r - 1) < 0.02 && Math.abs(pill.g - 0.75) < 0.03
               && Math.abs(pill.b - 0.75) < 0.03, "pill colour " + pill)
        // The capsule's ends are round: the bounding box's corner stays white.
        verify(Qt.colorEqual(image.pixel(label.x, label.y), "#ffffff"))
    }

    function test_followsText() {
        const scene = createTemporaryObject(labelComponent, test)
        const label = scene.label
        const shortWidth = label.width
        label.text = "1,234.5 MB"
        verify(label.width > shortWidth)
        compare(label.width, findChild(label, "text").contentWidth + 16)
        compare(label.Accessible.name, "1,234.5 MB")
    }
}
