import QtQuick
import QtTest
import Sorvane.Components

// Each component is made over a white backdrop at the window's top left, so that grabbed pixels
// show what it draws over what lies behind it.
TestCase {
    id: test
    name: "Components"
    width: 400
    height: 400
    when: windowShown
    visible: true

    Rectangle {
        id: backdrop
        width: 400
        height: 400
        color: "white"
    }

    Component {
        id: groupComponent

        CollapsibleGroup {
            width: 300
            // A control of its own at the start of the header.
            content: Row {
                MouseArea {
                    property int clicks: 0
                    objectName: "button"
                    width: 20
                    height: 20
                    onClicked: clicks++
                }
            }
            expandedView: Rectangle {
                objectName: "items"
                height: 50
            }
        }
    }

    function cleanup() {
        Colors.dark = false
    }

    // Makes a component named by its type, or from its declaration, over the backdrop.
    function make(type, properties) {
        const item = typeof type === "string"
                ? createTemporaryQmlObject(`import Sorvane.Components\n${type} {}`, backdrop)
                : createTemporaryObject(type, backdrop)
        Object.assign(item, properties)
        waitForRendering(backdrop)
        return item
    }

    // Whether the colour is within the given steps of 255 of the expected one in every channel.
    function near(actual, want, steps = 3) {
        return ["r", "g", "b"].every(c => Math.abs(actual[c] - Qt.color(want)[c]) * 255 <= steps)
    }

    function test_card_data() {
        const w = "#ffffff"
        const r = "#ff0000"
        const fill = "#423835" // of every style in the dark scheme
        const shadows = { style: CardStyle.Shadows }
        const lined = { style: CardStyle.Line }
        const own = { style: CardStyle.Line, lightColor: "#0000ff", darkColor: "#00ff00" }
        const red = scale => ({ style: CardStyle.Line, screenScale: scale, lightColor: r })
        const dpr = Qt.application.screens.length > 0 ? Qt.application.screens[0].devicePixelRatio
                                                      : 1
        // The corner is cut round: its outermost pixel shows what lies behind the card. A shadow
        // darkens the pixel next to the card and fades out within four points of the edge.
        return [
            { tag: "default, light", card: {}, centre: "#f7f7f8", edge: "#f7f7f8", corner: w },
            { tag: "dark card, light window", card: { dark: true }, centre: fill },
            { tag: "shadows, light", card: shadows, centre: w, outside: "shadow", beyond: w },
            { tag: "shadows, dark", dark: true, card: shadows, centre: fill, outside: w },
            { tag: "line, light", card: lined, lineWidth: 2 / dpr, edge: "#f2f2f2", centre: w },
            { tag: "line, dark", dark: true, card: lined, edge: "#3c3737", centre: w },
            { tag: "own line, light", card: own, edge: "#0000ff" },
            { tag: "own line, dark", dark: true, card: own, edge: "#00ff00" },
            { tag: "line at scale 1", card: red(1), lineWidth: 2, edge: r, inside: r, inside2: w },
            { tag: "line at scale 2", card: red(2), lineWidth: 1, edge: r, inside: w },
        ]
    }

    function test_card(data) {
        Colors.dark = data.dark === true
        const card = make("Card", Object.assign({ x: 20, y: 20, width: 100, height: 60 },
                                                       data.card))
        if (data.lineWidth !== undefined)
            compare(card.lineWidth, data.lineWidth)
        const image = grabImage(backdrop)
        const places = { centre: [70, 50], edge: [20, 50], inside: [21, 50], inside2: [22, 50],
                         outside: [19, 50], beyond: [14, 50], corner: [20, 20] }
        for (const [place, [x, y]] of Object.entries(places).filter(([place]) => place in data)) {
            const pixel = image.pixel(x, y)
            verify(data[place] === "shadow" ? !near(pixel, "#ffffff") : near(pixel, data[place]),
                   `${place} is ${pixel}, not ${data[place]}`)
        }
    }

    function test_emptyState() {
        const view = make("EmptyStateView", { width: 400, height: 400, color: "#00ff00",
                                                 image: "qrc:/sorvane/symbols/circle.fill.svg",
                                                 text: "Nothing to clean" })
        const image = findChild(view, "image")
        const text = findChild(view, "text")
        compare([image.x, image.y, image.width, image.height], [16, 16, 96, 96])
        // The image's padded box, then 16 points, then the text's padded box, all centred.
        compare(text.y, 96 + 2 * 16 + 16)
        fuzzyCompare(image.mapToItem(backdrop, 48, 0).x, 200, 1)
        tryCompare(image, "status", Image.Ready)
        const centre = image.mapToItem(backdrop, 48, 48)
        verify(Qt.colorEqual(grabImage(backdrop).pixel(centre.x, centre.y), "#00ff00"))
        // Left transparent, the image keeps its own colours.
        view.color = "transparent"
        waitForRendering(backdrop)
        verify(Qt.colorEqual(grabImage(backdrop).pixel(centre.x, centre.y), "#000000"))

        // The text is secondary: the scheme's text colour at about half strength.
        const strength = () => [Math.round(text.color.r * 100), Math.round(text.color.a * 100)]
        compare(strength(), [0, 50])
        Colors.dark = true
        compare(strength(), [100, 55])
    }

    function test_symbol_data() {
        // Where a circled symbol is tinted and where its cut-out shows the backdrop.
        const cutOuts = {
            "checkmark.circle.fill": [[24, 8, "#0000ff"], [26, 26, "#ffffff"]],
            "arrow.forward.circle.fill": [[24, 6, "#0000ff"], [20, 24, "#ffffff"]],
        }
        return ["arrow.down.app.fill", "iphone", "archivebox", "checkmark.circle.fill",
                "minus.circle.fill", "circle", "circle.fill", "magnifyingglass.circle.fill",
                "arrow.forward.circle.fill", "folder", "user-trash-full", "chevron", "sorvane",
                "no-such-symbol"].map(name => ({ tag: name, cutOut: cutOuts[name] }))
    }

    function test_symbol(data) {
        const missing = data.tag === "no-such-symbol"
        if (missing)
            ignoreWarning(new RegExp(data.tag))
        const symbol = make("SymbolImage", { width: 48, height: 48, color: "#0000ff" })
        symbol.symbol = data.tag
        tryCompare(symbol, "status", missing ? Image.Error : Image.Ready)
        if (data.cutOut) {
            waitForRendering(backdrop)
            const image = grabImage(backdrop)
            for (const [x, y, want] of data.cutOut)
                verify(Qt.colorEqual(image.pixel(x, y), want), `${x}, ${y}: ${image.pixel(x, y)}`)
        }
    }

    function test_label() {
        const label = make("InlineLabel", { x: 10, y: 10, text: "12.4 MB", color: "#ff0000" })
        const text = findChild(label, "text")
        verify(text.contentWidth > 0)
        compare(label.width, text.contentWidth + 16)
        compare(label.height, text.contentHeight + 6)
        verify(Qt.colorEqual(text.color, "#ff0000"))
        const image = grabImage(backdrop)
        // Inside the padding: red at a quarter over white.
        const pill = image.pixel(label.x + label.width / 2, label.y + 1)
        verify(near(pill, Qt.rgba(1, 0.75, 0.75, 1), 7), "pill colour " + pill)
        // The capsule's ends are round: the bounding box's corner stays white.
        verify(Qt.colorEqual(image.pixel(label.x, label.y), "#ffffff"))
    }

    // Each way of toggling a group's header, with the paddings around its body.
    function test_group_data() {
        const padded = { leading: 40, trailing: 40, spacing: 12 }
        const unpadded = { leading: 0, trailing: 0, spacing: 0 }
        return [
            { tag: "tap in the middle", x: 100, paddings: padded },
            { tag: "tap next to the chevron", x: 270, paddings: unpadded },
            { tag: "space", key: Qt.Key_Space, paddings: padded },
            { tag: "return", key: Qt.Key_Return, paddings: unpadded },
            { tag: "enter", key: Qt.Key_Enter, paddings: padded },
        ]
    }

    function test_group(data) {
        const group = make(groupComponent, data.paddings)
        const header = findChild(group, "header")
        const { leading, trailing, spacing } = data.paddings
        // Collapsed, the group shows its header alone.
        compare(group.height, header.height)
        compare(findChild(group, "body").item, null)
        verify(group.clip)
        // Controls in the header take their own clicks.
        const button = findChild(group, "button")
        mouseClick(button, 10, 10)
        compare(button.clicks, 1)
        header.forceActiveFocus()
        for (const open of [true, false]) {
            if (data.key)
                keyClick(data.key)
            else
                mouseClick(header, data.x, header.height / 2)
            compare(group.expanded, open)
            compare(header.Accessible.checked, open)
            tryCompare(findChild(group, "chevron"), "rotation", open ? 90 : 0)
            tryCompare(group, "height", header.height + (open ? spacing + 50 : 0))
            if (!open)
                continue
            const items = findChild(group, "body").item
            compare(items.objectName, "items")
            compare(items.mapToItem(group, 0, 0), Qt.point(leading, header.height + spacing))
            compare(items.width, 300 - leading - trailing)
            // Taps on the body do not close the group.
            mouseClick(items, 10, 10)
            verify(group.expanded)
        }
        tryCompare(findChild(group, "body"), "item", null)
    }
}
