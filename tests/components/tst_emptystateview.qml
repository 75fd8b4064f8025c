import QtQuick
import QtTest
import Sorvane.Components

TestCase {
    id: test
    name: "EmptyStateView"
    width: 400
    height: 400
    when: windowShown
    visible: true

    Component {
        id: viewComponent

        Rectangle {
            property alias view: view
            width: 400
            height: 400
            color: "white"

            EmptyStateView {
                id: view
                anchors.fill: parent
                image: "qrc:/sorvane/symbols/circle.fill.svg"
                text: "Nothing to clean"
                color: "#00ff00"
            }
        }
    }

    function cleanup() {
        Colors.dark = false
    }

    function test_sizes() {
        const scene = createTemporaryObject(viewComponent, test)
        const image = findChild(scene.view, "image")
        const text = findChild(scene.view, "text")
        compare(image.width, 96)
        compare(image.height, 96)
        compare(image.x, 16)
        compare(image.y, 16)
        compare(text.text, "Nothing to clean")
        compare(text.font.bold, true)
        compare(text.font.pixelSize, 17)
        compare(text.padding, 16)
        // The image's padded box, then 16 points, then the text's padded box.
        compare(text.y, 96 + 2 * 16 + 16)
        const topLeft = image.mapToItem(scene, 0, 0)
        const textTop = text.mapToItem(scene, 0, 0)
        verify(textTop.y > topLeft.y + 96)
        // Centred in the space it is given.
        fuzzyCompare(topLeft.x + 48, 200, 1)
    }

    function test_tint() {
        const scene = createTemporaryObject(viewComponent, test)
        const image = findChild(scene.view, "image")
        tryCompare(image, "status", Image.Ready)
        waitForRendering(scene)
        const centre = image.mapToItem(scene, 48, 48)
        verify(Qt.colorEqual(grabImage(scene).pixel(centre.x, centre.y), "#00ff00"))
        scene.view.color = "transparent"
        waitForRendering(scene)
        verify(Qt.colorEqual(grabImage(scene).pixel(centre.x, centre.y), "#000000"))
    }

    function test_textFollowsScheme() {
        const scene = createTemporaryObject(viewComponent, test)
        const text = findChild(scene.view, "text")
        // Secondary text: the scheme's text colour at about half strength.
        fuzzyCompare(text.color.r, 0, 0.01)
        fuzzyCompare(text.color.a, 0.5, 0.01)
        Colors.dark = true
        fuzzyCompare(text.color.r, 1, 0.01)
        fuzzyCompare(text.color.a, 0.55, 0.01)
    }
}
