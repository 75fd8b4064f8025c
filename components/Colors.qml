pragma Singleton
import QtQuick

// The colours of the component library. `dark` is the colour scheme the whole window is drawn
// in; every component follows it unless told otherwise, so the window sets it once.
QtObject {
    property bool dark: false

    readonly property color cardLightFill: Qt.rgba(247 / 255, 247 / 255, 248 / 255, 1)
    readonly property color cardDarkFill: Qt.rgba(66 / 255, 56 / 255, 53 / 255, 1)
    readonly property color lineLight: Qt.rgba(242 / 255, 242 / 255, 242 / 255, 1)
    readonly property color lineDark: Qt.rgba(60 / 255, 55 / 255, 55 / 255, 1)
    readonly property color windowLightBackground: "#ffffff"
    readonly property color windowDarkBackground: Qt.rgba(44 / 255, 33 / 255, 30 / 255, 1)
    readonly property color shadow: Qt.rgba(142 / 255, 142 / 255, 147 / 255, 0.4)

    // Colours that change with the scheme, for the screens as much as for the components.
    readonly property color windowBackground: dark ? windowDarkBackground : windowLightBackground
    readonly property color text: dark ? "#ffffff" : "#000000"
    readonly property color secondaryText: dark ? Qt.rgba(1, 1, 1, 0.55) : Qt.rgba(0, 0, 0, 0.5)
    readonly property color accent: dark ? Qt.rgba(10 / 255, 132 / 255, 1, 1)
                                         : Qt.rgba(0, 122 / 255, 1, 1)
    readonly property color green: dark ? Qt.rgba(48 / 255, 209 / 255, 88 / 255, 1)
                                        : Qt.rgba(52 / 255, 199 / 255, 89 / 255, 1)
    readonly property color red: dark ? Qt.rgba(1, 69 / 255, 58 / 255, 1)
                                      : Qt.rgba(1, 59 / 255, 48 / 255, 1)
}
