import QtQuick
import QtTest
import Sorvane.Components

TestCase {
    id: test
    name: "SymbolImage"
    width: 100
    height: 100
    when: windowShown
    visible: true

    Component {
        id: symbolComponent

        Rectangle {
            property alias symbol: symbol
            width: 48
            height: 48
            color: "white"

            SymbolImage {
                id: symbol
                width: 48
                height: 48
            }
        }
    }

    function test_everySymbolLoads_data() {
        return ["arrow.down.app.fill", "iphone", "archivebox", "checkmark.circle.fill",
                "minus.circle.fill", "circle", "circle.fill", "magnifyingglass.circle.fill",
                "arrow.forward.circle.fill", "folder", "user-trash-full", "chevron", "sorvane"]
            .map(name => ({ tag: name, name: name }))
    }

    function test_everySymbolLoads(data) {
        const scene = createTemporaryObject(symbolComponent, test)
        scene.symbol.symbol = data.name
        tryCompare(scene.symbol, "status", Image.Ready)
        compare(scene.symbol.implicitWidth, 48)
        compare(scene.symbol.implicitHeight, 48)
    }

    function test_unknownSymbolFails() {
        const scene = createTemporaryObject(symbolComponent, test)
        ignoreWarning(new RegExp("no-such-symbol"))
        scene.symbol.symbol = "no-such-symbol"
        tryCompare(scene.symbol, "status", Image.Error)
    }

    function test_tint_data() {
        return [
            { tag: "check mark cut out", name: "checkmark.circle.fill", inside: [24, 8],
              hole: [26, 26] },
            { tag: "minus cut out", name: "minus.circle.fill", inside: [24, 8], hole: [24, 24] },
            { tag: "lens cut out", name: "magnifyingglass.circle.fill", inside: [24, 6],
              hole: [14, 21] },
            { tag: "arrow cut out", name: "arrow.forward.circle.fill", inside: [24, 6],
              hole: [20, 24] },
        ]
    }

    function test_tint(data) {
        const scene = createTemporaryObject(symbolComponent, test)
        scene.symbol.symbol = data.name
        scene.symbol.color = "#0000ff"
        tryCompare(scene.symbol, "status", Image.Ready)
        waitForRendering(scene)
        const image = grabImage(scene)
        verify(Qt.colorEqual(image.pixel(data.inside[0], data.inside[1]), "#0000ff"),
               "tinted " + image.pixel(data.inside[0], data.inside[1]))
        verify(Qt.colorEqual(image.pixel(data.hole[0], data.hole[1]), "#ffffff"),
               "hole " + image.pixel(data.hole[0], data.hole[1]))
    }
}
