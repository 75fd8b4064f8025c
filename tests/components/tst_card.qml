import QtQuick
import QtTest
import Sorvane.Components

TestCase {
    id: test
    name: "Card"
    width: 200
    height: 120
    when: windowShown
    visible: true

    Component {
        id: cardComponent

        Rectangle {
            property alias card: card
            width: 200
            height: 120
            color: "white"

            Card {
                id: card
                x: 20
                y: 20
                width: 100
                height: 60
            }
        }
    }

    function cleanup() {
        Colors.dark = false
    }

    function near(actual, r, g, b) {
        const ok = Math.abs(actual.r * 255 - r) <= 3 && Math.abs(actual.g * 255 - g) <= 3
                && Math.abs(actual.b * 255 - b) <= 3
        verify(ok, "colour " + actual + " is not rgb(" + r + ", " + g + ", " + b + ")")
    }

    function far(actual, r, g, b) {
        const ok = Math.abs(actual.r * 255 - r) > 3 || Math.abs(actual.g * 255 - g) > 3
                || Math.abs(actual.b * 255 - b) > 3
        verify(ok, "colour " + actual + " should not be rgb(" + r + ", " + g + ", " + b + ")")
    }

    function makeCard(properties) {
        const scene = createTemporaryObject(cardComponent, test)
        for (const key in properties)
            scene.card[key] = properties[key]
        waitForRendering(scene)
        return scene
    }

    function test_styleNames() {
        compare(CardStyle.allCases, [CardStyle.Default, CardStyle.Shadows, CardStyle.Line])
        compare(CardStyle.nameKey(CardStyle.Default), "DEFAULT")
        compare(CardStyle.nameKey(CardStyle.Shadows), "SHADOWS")
        compare(CardStyle.nameKey(CardStyle.Line), "LINE")
    }

    function test_defaultFill_data() {
        return [
            { tag: "light", dark: false, rgb: [247, 247, 248], outside: [255, 255, 255] },
            { tag: "dark", dark: true, rgb: [66, 56, 53], outside: [255, 255, 255] },
        ]
    }

    function test_defaultFill(data) {
        Colors.dark = data.dark
        const scene = makeCard({})
        compare(scene.card.style, CardStyle.Default)
        compare(scene.card.radius, 8)
        const image = grabImage(scene)
        near(image.pixel(70, 50), data.rgb[0], data.rgb[1], data.rgb[2])
        near(image.pixel(20, 50), data.rgb[0], data.rgb[1], data.rgb[2])
        // The corner is cut round: its outermost pixel shows what lies behind the card.
        near(image.pixel(20, 20), data.outside[0], data.outside[1], data.outside[2])
        near(image.pixel(119, 79), data.outside[0], data.outside[1], data.outside[2])
    }

    function test_schemeOfOneCard() {
        const scene = makeCard({ dark: true })
        near(grabImage(scene).pixel(70, 50), 66, 56, 53)
        verify(!Colors.dark)
    }

    function test_shadows_data() {
        return [
            { tag: "light", dark: false, fill: [255, 255, 255], shadow: true },
            { tag: "dark", dark: true, fill: [66, 56, 53], shadow: false },
        ]
    }

    function test_shadows(data) {
        Colors.dark = data.dark
        const scene = makeCard({ style: CardStyle.Shadows })
        compare(scene.card.castsShadow, data.shadow)
        const image = grabImage(scene)
        near(image.pixel(70, 50), data.fill[0], data.fill[1], data.fill[2])
        if (data.shadow)
            far(image.pixel(19, 50), 255, 255, 255)
        else
            near(image.pixel(19, 50), 255, 255, 255)
        // The shadow fades out within four points of the edge.
        near(image.pixel(14, 50), 255, 255, 255)
    }

    function test_lineWidth_data() {
        return [
            { tag: "one device pixel per point", scale: 1, width: 2 },
            { tag: "two device pixels per point", scale: 2, width: 1 },
        ]
    }

    function test_lineWidth(data) {
        const scene = makeCard({ style: CardStyle.Line, screenScale: data.scale,
                                 lightColor: "#ff0000" })
        compare(scene.card.lineWidth, data.width)
        const image = grabImage(scene)
        near(image.pixel(20, 50), 255, 0, 0)
        if (data.width === 2)
            near(image.pixel(21, 50), 255, 0, 0)
        else
            near(image.pixel(21, 50), 255, 255, 255)
        // Not filled.
        near(image.pixel(70, 50), 255, 255, 255)
    }

    function test_lineWidthFollowsMainScreen() {
        const scene = makeCard({ style: CardStyle.Line })
        verify(Qt.application.screens.length > 0)
        compare(scene.card.lineWidth, 2 / Qt.application.screens[0].devicePixelRatio)
    }

    function test_lineColours_data() {
        return [
            { tag: "light library colour", dark: false, custom: false, rgb: [242, 242, 242] },
            { tag: "dark library colour", dark: true, custom: false, rgb: [60, 55, 55] },
            { tag: "light own colour", dark: false, custom: true, rgb: [0, 0, 255] },
            { tag: "dark own colour", dark: true, custom: true, rgb: [0, 255, 0] },
        ]
    }

    function test_lineColours(data) {
        Colors.dark = data.dark
        const own = data.custom ? { lightColor: "#0000ff", darkColor: "#00ff00" } : {}
        own.style = CardStyle.Line
        const scene = makeCard(own)
        near(scene.card.lineColor, data.rgb[0], data.rgb[1], data.rgb[2])
        near(grabImage(scene).pixel(20, 50), data.rgb[0], data.rgb[1], data.rgb[2])
    }

    function test_windowColours() {
        near(Colors.windowBackground, 255, 255, 255)
        Colors.dark = true
        near(Colors.windowBackground, 44, 33, 30)
        near(Colors.windowDarkBackground, 44, 33, 30)
    }
}
